#pragma once
// What a macro may not do, whatever it is: reach files, processes, the registry, other programs
// or the clock beyond the workbook, save or close workbooks, open others, or quit. A macro that
// tries stops at once, with the refused name as the reason.

#include <string_view>

namespace tabrel::macro {

// A statement or function of the language the sandbox refuses (Shell, Kill, CreateObject ...).
bool refused_function(std::u16string_view name);

// A member of an automation object the sandbox refuses (Save, SaveAs, Close, Open, Quit ...).
bool refused_member(std::u16string_view name);

}  // namespace tabrel::macro
