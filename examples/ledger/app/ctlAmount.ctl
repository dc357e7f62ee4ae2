VERSION 5.00
Begin VB.UserControl ctlAmount 
   ClientHeight    =   375
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   2055
   PropertyPages   =   "ctlAmount.ctx":0000
   ScaleHeight     =   375
   ScaleWidth      =   2055
   ToolboxBitmap   =   "ctlAmount.ctx":0014
   Begin VB.TextBox txtValue 
      Alignment       =   1  'Right Justify
      Height          =   375
      Left            =   0
      TabIndex        =   0
      Top             =   0
      Width           =   2055
   End
End
Attribute VB_Name = "ctlAmount"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = True
Attribute VB_PredeclaredId = False
Attribute VB_Exposed = False
Option Explicit

Public Property Get Value() As Currency
    Value = Util.ParseAmount(txtValue.Text)
End Property
