// Converts UTF-8 input to Windows-1252 bytes, with '?' for what the code page cannot hold, and
// back.
#include "platform/classic_ui/windows1252.h"

#include <cstdint>

namespace classicui {
namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252; 0 where the code page has none.
constexpr uint16_t HighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char toByte(uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (HighControls[i] != 0 && HighControls[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

std::string Utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    size_t i = 0;
    while (i < utf8.size()) {
        auto b = static_cast<uint8_t>(utf8[i]);
        int length = 0;
        uint32_t cp = 0;
        if (b < 0x80) {
            length = 1;
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            length = 2;
            cp = b & 0x1Fu;
        } else if ((b & 0xF0) == 0xE0) {
            length = 3;
            cp = b & 0x0Fu;
        } else if ((b & 0xF8) == 0xF0) {
            length = 4;
            cp = b & 0x07u;
        }
        bool valid = length > 0 && i + static_cast<size_t>(length) <= utf8.size();
        for (int k = 1; valid && k < length; ++k) {
            auto c = static_cast<uint8_t>(utf8[i + static_cast<size_t>(k)]);
            if ((c & 0xC0) != 0x80) valid = false;
            cp = (cp << 6) | (c & 0x3Fu);
        }
        // Overlong forms and surrogates are malformed too.
        if (valid &&
            ((length == 2 && cp < 0x80) || (length == 3 && cp < 0x800) ||
             (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF)))
            valid = false;
        if (!valid) {
            out.push_back('?');
            ++i; // resynchronise on the next byte
            continue;
        }
        i += static_cast<size_t>(length);
        if (cp < 0x20 || cp == 0x7F) continue;
        out.push_back(toByte(cp));
    }
    return out;
}

std::string Windows1252ToUtf8(std::string_view cp1252) {
    std::string out;
    for (char c : cp1252) {
        const auto b = static_cast<uint8_t>(c);
        uint32_t cp = b;
        if (b >= 0x80 && b < 0xA0)
            cp = HighControls[b - 0x80] != 0 ? HighControls[b - 0x80] : 0xFFFD;
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

char LowerWindows1252(char c) {
    auto b = static_cast<uint8_t>(c);
    if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 32);
    if (b == 0x8A || b == 0x8C || b == 0x8E) return static_cast<char>(b + 16);
    return c;
}

} // namespace classicui
