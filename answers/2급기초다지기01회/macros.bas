Sub 쉼표()
Attribute 쉼표.VB_ProcData.VB_Invoke_Func = " \n14"
'
' 쉼표 매크로
'

'
    Range("F4:F12").Select
    Selection.NumberFormat = "#,##0"
    Range("A1").Select
End Sub
Sub 백분율()
Attribute 백분율.VB_ProcData.VB_Invoke_Func = " \n14"
'
' 백분율 매크로
'

'
    Range("G4:G12").Select
    Selection.NumberFormat = "0%"
    Range("A1").Select
End Sub
