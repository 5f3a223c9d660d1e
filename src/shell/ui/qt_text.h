#pragma once
// UTF-16 texts of the shell as Qt strings and back (both count UTF-16 units).

#include <QString>

#include <string>
#include <string_view>

namespace tabrel::shell::ui {

inline QString qstr(std::u16string_view s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }

inline std::u16string u16(const QString& s) { return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size())); }

}  // namespace tabrel::shell::ui
