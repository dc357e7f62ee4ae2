VERSION 5.00
Begin VB.Form frmMain 
   Caption         =   "Ledger Entries"
   ClientHeight    =   4215
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   6480
   Icon            =   "frmMain.frx":0000
   LinkTopic       =   "Form1"
   MDIChild        =   -1  'True
   ScaleHeight     =   4215
   ScaleWidth      =   6480
   Begin VB.CommandButton cmdPost 
      Caption         =   "&Post"
      Height          =   375
      Left            =   5160
      Picture         =   "frmMain.frx":0442
      TabIndex        =   1
      Top             =   3720
      Width           =   1215
   End
   Begin VB.TextBox txtAmount 
      Height          =   285
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   2055
   End
End
Attribute VB_Name = "frmMain"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private Sub cmdPost_Click()
    Dim oEntry As cEntry
    Set oEntry = New cEntry
    oEntry.Amount = Util.ParseAmount(txtAmount.Text)
    modMain.PostEntry oEntry
End Sub
