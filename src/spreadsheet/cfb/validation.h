#pragma once
// Whole-file checks of strict mode: whole sectors, the FAT marking its own and the DIFAT's
// sectors, and no sector or mini sector used by two chains.

#include "spreadsheet/cfb/file_state.h"

namespace tabrel::cfb {

void validate_strictly(const FileState& state);

}  // namespace tabrel::cfb
