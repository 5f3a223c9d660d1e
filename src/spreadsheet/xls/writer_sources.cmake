# Sources of the workbook writer, appended to the xls library by its CMakeLists.txt.
list(APPEND TABREL_XLS_WRITER_SOURCES
)
