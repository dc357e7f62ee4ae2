Attribute VB_Name = "Util"
Option Explicit

' Reads an amount the way the bookkeepers type it: "1.234,50" or "1,234.50".
Public Function ParseAmount(ByVal sText As String) As Currency
    Dim sClean As String
    sClean = Replace(Trim$(sText), " ", "")
    If InStrRev(sClean, ",") > InStrRev(sClean, ".") Then
        sClean = Replace(sClean, ".", "")
        sClean = Replace(sClean, ",", ".")
    Else
        sClean = Replace(sClean, ",", "")
    End If
    ParseAmount = CCur(Val(sClean))
End Function
