#include "macro_json.h"

#include "spreadsheet/core/text.h"

namespace tabrel::dump {
namespace {

const char* kind_name(model::MacroModule::Kind kind) {
  switch (kind) {
    case model::MacroModule::Kind::Standard: return "standard";
    case model::MacroModule::Kind::Document: return "document";
    case model::MacroModule::Kind::Class: return "class";
    case model::MacroModule::Kind::Form: return "form";
  }
  return "standard";
}

}  // namespace

json::Value macro_project_json(const model::MacroProject& project) {
  json::Array modules;
  for (const model::MacroModule& m : project.modules) {
    json::Object o;
    o["name"] = to_utf8(m.name);
    o["kind"] = kind_name(m.kind);
    o["source"] = to_utf8(m.source);
    modules.emplace_back(std::move(o));
  }
  json::Object o;
  o["readable"] = project.readable;
  if (!project.readable) o["problem"] = to_utf8(project.problem);
  o["name"] = to_utf8(project.name);
  o["codepage"] = static_cast<int>(project.codepage);
  o["modules"] = std::move(modules);
  return o;
}

}  // namespace tabrel::dump
