#pragma once
// The workbook's macro project: its code modules as source text, as the macro editor shows and
// keeps them. The interpreter runs this text, the code-module automation edits it, and the writer
// stores it back.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tabrel::model {

struct MacroModule {
  enum class Kind : uint8_t {
    Standard,  // a plain code module ("Module1")
    Document,  // the module behind the workbook or a sheet; its name is that object's code name
    Class,     // a class module
    Form,      // the code behind a user form (its designer storage is kept with the raw streams)
  };
  std::u16string name;
  Kind kind = Kind::Standard;
  // The whole text, "Attribute VB_..." header lines included; every line ends with CR LF.
  std::u16string source;
  friend bool operator==(const MacroModule&, const MacroModule&) = default;
};

struct MacroProject {
  std::u16string name = u"VBAProject";
  uint16_t codepage = 949;                 // the code page the project's texts are stored in
  std::vector<MacroModule> modules;        // in the stored order
  // Lines of the PROJECT stream other than the module lines (identity, protection, host extender
  // and window state), kept to write back; empty for a project made here.
  std::vector<std::u16string> properties;
  // The reference records of the stored project as they were, written back unchanged.
  std::vector<uint8_t> references;
  // False when the stored project could not be read: it then has no modules, `problem` says why,
  // and the stored bytes stay among the workbook's raw streams so that nothing is lost.
  bool readable = true;
  std::u16string problem;

  MacroModule* module(std::u16string_view module_name);  // case-insensitive, nullptr when absent
  const MacroModule* module(std::u16string_view module_name) const;
  friend bool operator==(const MacroProject&, const MacroProject&) = default;
};

}  // namespace tabrel::model
