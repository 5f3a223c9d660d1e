#pragma once
// xls-dump --run MACRO FILE [PASSWORD]: runs one macro of the workbook in memory and prints the
// cells it changed and every member it met that the engine does not support.

namespace tabrel::dump {

// argv[0] is "--run". Exit codes: 0 the macro ran, 1 the file could not be opened, 2 wrong
// arguments, 3 the macro is missing or failed.
int run_command(int argc, char** argv);

}  // namespace tabrel::dump
