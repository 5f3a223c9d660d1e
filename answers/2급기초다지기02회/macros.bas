Sub 평균()
Attribute 평균.VB_ProcData.VB_Invoke_Func = " \n14"
'
' 평균 매크로
'

'
    Range("G13").Select
    ActiveCell.FormulaR1C1 = "=AVERAGE(R[-9]C[-5]:R[-1]C[-1])"
    Range("G14").Select
End Sub
Sub 서식()
Attribute 서식.VB_ProcData.VB_Invoke_Func = " \n14"
'
' 서식 매크로
'

'
    Range("B3:G3").Select
    With Selection.Interior
        .ColorIndex = 6
    End With
    Range("A1").Select
End Sub
