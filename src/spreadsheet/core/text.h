#pragma once
// UTF-16 text helpers: conversion at the edges (UTF-8 files and terminal, legacy code pages).

#include <optional>
#include <string>
#include <string_view>

namespace tabrel {

// UTF-8 <-> UTF-16. Invalid input is replaced by U+FFFD, never rejected.
std::u16string from_utf8(std::string_view utf8);
std::string to_utf8(std::u16string_view utf16);
// Writes the UTF-8 of `utf16` at `out`, which has room for 3 bytes per unit; returns its end.
char* encode_utf8(std::u16string_view utf16, char* out);

// Legacy code pages (949 Korean, 1252 Western, ...) through iconv. Returns nullopt when the
// code page is unknown to the system; undecodable bytes become U+FFFD.
std::optional<std::u16string> decode_codepage(std::string_view bytes, int codepage);
std::optional<std::string> encode_codepage(std::u16string_view text, int codepage);

// Latin-1 bytes (the "compressed" 8-bit form of BIFF strings) to UTF-16 and back.
std::u16string from_latin1(std::string_view bytes);

// ASCII-only case folding, as the spreadsheet uses for names of sheets and functions;
// Hangul and other scripts are left alone, Latin-1 letters fold too.
std::u16string upper(std::u16string_view s);
std::u16string lower(std::u16string_view s);
bool equals_ignore_case(std::u16string_view a, std::u16string_view b);

// Shorthand for literals in tests and tables: u"..." is preferred, this is for UTF-8 data.
inline std::u16string u16(std::string_view utf8) { return from_utf8(utf8); }

}  // namespace tabrel
