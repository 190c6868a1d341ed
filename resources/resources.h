// The pictures, sounds, fonts and icon embedded in the executable, looked up by id.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

enum class ResourceKind { Bitmap, Wave, Font, Icon };

// Font resources.
constexpr int SystemFontId = 1; // the device context's default font: 16-pixel cell, bold
constexpr int DialogFontId = 2; // menus and dialogs: the classic 8-point dialog font
// Icon resource of the window.
constexpr int WindowIconId = 500;

// The bytes of an embedded resource, kept for the rest of the run; empty when there is none
// with that id.
std::span<const uint8_t> ResourceBytes(ResourceKind kind, int id);
// The same bytes decompressed for the caller alone, kept by no one else: for what is read once
// into something else (a picture decoded), so that no second copy stays.
std::vector<uint8_t> UnpackResource(ResourceKind kind, int id);
