Sub 합계()
Attribute 합계.VB_ProcData.VB_Invoke_Func = " \n14"
'
' 합계 매크로
'

'
    Range("F4").Select
    ActiveCell.FormulaR1C1 = "=SUM(RC[-4]:RC[-2])"
    Range("F4").Select
    Selection.AutoFill Destination:=Range("F4:F11"), Type:=xlFillDefault
    Range("F4:F11").Select
    Range("A1").Select
End Sub
Sub 서식()
Attribute 서식.VB_ProcData.VB_Invoke_Func = " \n14"
'
' 서식 매크로
'

'
    Range("A3:F3").Select
    With Selection.Interior
        .ColorIndex = 36
        .Pattern = xlSolid
    End With
    Range("A1").Select
End Sub
