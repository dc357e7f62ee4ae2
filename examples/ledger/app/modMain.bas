Attribute VB_Name = "modMain"
Option Explicit

Private mcolEntries As Collection

Public Sub Main()
    Set mcolEntries = New Collection
    mdiLedger.Show
End Sub

Public Sub PostEntry(ByVal oEntry As cEntry)
    mcolEntries.Add oEntry
End Sub

Public Function Balance() As Currency
    Dim oEntry As cEntry
    For Each oEntry In mcolEntries
        Balance = Balance + oEntry.Amount
    Next
End Function
