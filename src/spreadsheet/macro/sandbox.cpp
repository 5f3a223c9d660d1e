#include "spreadsheet/macro/sandbox.h"

#include "spreadsheet/core/text.h"

namespace tabrel::macro {
namespace {

constexpr std::u16string_view kFunctions[] = {
    u"Shell", u"Kill", u"CreateObject", u"GetObject", u"Environ", u"SendKeys", u"AppActivate", u"FileCopy",
    u"MkDir", u"RmDir", u"ChDir", u"ChDrive", u"CurDir", u"Dir", u"FileLen", u"FileDateTime", u"FileAttr",
    u"GetAttr", u"SetAttr", u"FreeFile", u"EOF", u"LOF", u"Loc", u"Seek", u"Reset", u"SaveSetting",
    u"GetSetting", u"GetAllSettings", u"DeleteSetting", u"Command", u"CallByName", u"MacScript", u"MacID",
    u"LoadPicture", u"SavePicture",
};

constexpr std::u16string_view kMembers[] = {
    u"Save", u"SaveAs", u"SaveCopyAs", u"SaveWorkspace", u"Close", u"Open", u"OpenText", u"OpenXML",
    u"OpenDatabase", u"Quit", u"Kill", u"SendKeys", u"Wait", u"OnTime", u"OnKey", u"OnRepeat", u"OnUndo",
    u"FollowHyperlink", u"ExecuteExcel4Macro", u"PrintOut", u"PrintPreview", u"ChangeFileAccess",
    u"ChangeLink", u"UpdateLink", u"OpenLinks", u"Shell", u"VBE", u"VBProject", u"CreateObject", u"GetObject",
    u"GetOpenFilename", u"GetSaveAsFilename", u"FileDialog", u"Dialogs", u"SendMail", u"Mail", u"Route",
    u"ExportAsFixedFormat", u"DDEInitiate", u"DDEExecute", u"DDEPoke", u"DDERequest", u"RegisterXLL",
};

bool listed(std::u16string_view name, const std::u16string_view* begin, const std::u16string_view* end) {
  for (auto it = begin; it != end; ++it)
    if (equals_ignore_case(*it, name)) return true;
  return false;
}

}  // namespace

bool refused_function(std::u16string_view name) {
  return listed(name, std::begin(kFunctions), std::end(kFunctions));
}

bool refused_member(std::u16string_view name) {
  return listed(name, std::begin(kMembers), std::end(kMembers));
}

}  // namespace tabrel::macro
