// answer-build SOURCE OUTPUT: writes the answer workbook that a text source describes.

#include <exception>
#include <filesystem>
#include <iostream>

#include "answer_source.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/text.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: answer-build SOURCE OUTPUT\n";
    return 1;
  }
  try {
    tabrel::answers::build_answer_file(argv[1], argv[2]);
  } catch (const tabrel::AutomationError& e) {
    std::cerr << argv[1] << ": " << tabrel::to_utf8(e.description()) << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << argv[1] << ": " << e.what() << "\n";
    return 2;
  }
  return 0;
}
