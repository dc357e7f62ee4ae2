Attribute VB_Name = "mScale"
Option Explicit

Public Function Scaled(ByVal dValue As Double) As String
    Scaled = Format$(dValue, "0.0") & " units"
End Function
