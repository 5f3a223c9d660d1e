# Sources of the workbook writer, appended to the xls library by its CMakeLists.txt.
list(APPEND TABREL_XLS_WRITER_SOURCES
  write_autofilter.cpp
  write_cells.cpp
  chart_merge.cpp
  write_chart.cpp
  write_condfmt.cpp
  write_drawing.cpp
  write_globals.cpp
  write_names.cpp
  write_objects.cpp
  write_office_art.cpp
  write_raw_records.cpp
  write_shapes.cpp
  write_shared_strings.cpp
  write_sheet.cpp
  write_sheet_view.cpp
  write_styles.cpp
  writer.cpp
)
