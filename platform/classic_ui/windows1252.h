// Text typed on a desktop (UTF-8) turned into the Windows-1252 bytes the game stores.
#pragma once

#include <string>
#include <string_view>

namespace classicui {

// Each UTF-8 character becomes its Windows-1252 byte; characters that code page lacks,
// and malformed bytes, become '?'. Control characters below 0x20 are dropped.
std::string Utf8ToWindows1252(std::string_view utf8);

// The lower-case form of a Windows-1252 letter (ASCII and the accented Latin-1 letters),
// used to compare mnemonics.
char LowerWindows1252(char c);

} // namespace classicui
