VERSION 5.00
Begin VB.MDIForm mdiLedger 
   BackColor       =   &H8000000C&
   Caption         =   "Ledger"
   ClientHeight    =   5955
   ClientLeft      =   165
   ClientTop       =   450
   ClientWidth     =   8880
   Icon            =   "mdiLedger.frx":0000
   LinkTopic       =   "MDIForm1"
   StartUpPosition =   3  'Windows Default
End
Attribute VB_Name = "mdiLedger"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private Sub MDIForm_Load()
    frmMain.Show
End Sub
