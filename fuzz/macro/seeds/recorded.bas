Attribute VB_Name = "Module1"
Sub Macro1()
'
' Macro1 Macro
'
    Range("B2:B4").Select
    Selection.Style = "Comma [0]"
    Range("D2").Select
    ActiveCell.FormulaR1C1 = "=AVERAGE(RC[-2]:RC[-1])"
    Selection.AutoFill Destination:=Range("D2:D4"), Type:=xlFillDefault
    With Selection.Interior
        .ColorIndex = 6
        .Pattern = xlSolid
    End With
    Selection.Borders(xlDiagonalDown).LineStyle = xlNone
    With Selection.Borders(xlEdgeLeft)
        .LineStyle = xlContinuous
        .Weight = xlThin
        .ColorIndex = xlAutomatic
    End With
    Selection.FormatConditions.Delete
    Selection.FormatConditions.Add Type:=xlExpression, Formula1:="=$B2>=80"
    Selection.FormatConditions(1).Font.Bold = True
    Columns("A:A").ColumnWidth = 12
    ActiveWindow.SmallScroll Down:=3
End Sub
