Option Explicit
Dim total As Long
Sub Macro1()
    Dim i As Integer, a(1 To 5) As Variant, s As String
    On Error GoTo fail
    For i = 1 To 5
        a(i) = i * 2
        Select Case a(i)
            Case 2, 4: s = s & "x"
            Case 6 To 8: s = s & "y"
            Case Is > 8: s = s & "z"
            Case Else: s = s & "?"
        End Select
    Next i
    Do While total < 10
        total = total + 1
        If total Mod 3 = 0 Then Exit Do
    Loop
    For Each v In Range("A1:B2")
        v.Value = Len(s) + total
    Next
    Cells(3, 3) = Format(Now, "yyyy-mm-dd") & Mid$(s, 2, 2) & UCase(Left(s, 1))
    Exit Sub
fail:
    MsgBox "error " & Err.Number
    Resume Next
End Sub
