Sub 합계()
'
' 합계 매크로
'
    Range("E14:G14").Select
    Selection.FormulaR1C1 = "=SUM(R[-10]C:R[-1]C)"
    Range("A1").Select
End Sub

Sub 자동서식()
'
' 자동서식 매크로
'
    Range("B3:G14").Select
    Selection.AutoFormat Format:=xlRangeAutoFormatClassic2, Number:=True, Font:= _
        True, Alignment:=True, Border:=True, Pattern:=True, Width:=True
    Range("A1").Select
End Sub
