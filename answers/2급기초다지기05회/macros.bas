Sub 합계()
'
' 합계 매크로
'
    Range("B13:E13").Select
    Selection.FormulaR1C1 = "=SUM(R[-10]C:R[-1]C)"
    Range("A1").Select
End Sub

Sub 서식()
'
' 서식 매크로
'
    Range("H3:H12").Select
    Selection.NumberFormatLocal = "0.0%"
    Selection.Font.Bold = True
    Range("A1").Select
End Sub
