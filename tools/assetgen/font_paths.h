// Where Debian's fonts-dejavu-core puts the DejaVu fonts the generator reads.
#pragma once

inline constexpr const char* SansFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline constexpr const char* SansBoldFontPath =
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
inline constexpr const char* SerifBoldFontPath =
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
