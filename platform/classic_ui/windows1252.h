// Text typed on a desktop (UTF-8) turned into the Windows-1252 bytes the game stores, and back.
#pragma once

#include <string>
#include <string_view>

namespace classicui {

// Each UTF-8 character becomes its Windows-1252 byte; characters that code page lacks,
// and malformed bytes, become '?'. Control characters below 0x20 are dropped.
std::string Utf8ToWindows1252(std::string_view utf8);

// The Windows-1252 bytes the game stores as UTF-8 for a page or a desktop; the five bytes
// the code page leaves undefined become U+FFFD.
std::string Windows1252ToUtf8(std::string_view cp1252);

// The lower-case form of a Windows-1252 letter (ASCII and the accented Latin-1 letters),
// used to compare mnemonics.
char LowerWindows1252(char c);

} // namespace classicui
