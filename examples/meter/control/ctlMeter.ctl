VERSION 5.00
Begin VB.UserControl ctlMeter 
   ClientHeight    =   495
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   2535
   ScaleHeight     =   495
   ScaleWidth      =   2535
   Begin VB.Label lblReading 
      Height          =   255
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   2295
   End
End
Attribute VB_Name = "ctlMeter"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = True
Attribute VB_PredeclaredId = False
Attribute VB_Exposed = True
Option Explicit

Public Property Let Reading(ByVal dValue As Double)
    lblReading.Caption = mScale.Scaled(dValue)
End Property
