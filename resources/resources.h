// The pictures, sounds, fonts and icon embedded in the executable, looked up by id.
#pragma once

#include <cstdint>
#include <span>

enum class ResourceKind { Bitmap, Wave, Font, Icon };

// Font resources.
constexpr int SystemFontId = 1; // the device context's default font: 16-pixel cell, bold
constexpr int DialogFontId = 2; // menus and dialogs: the classic 8-point dialog font
// Icon resource of the window.
constexpr int WindowIconId = 500;

// The bytes of an embedded resource; empty when there is none with that id.
std::span<const uint8_t> ResourceBytes(ResourceKind kind, int id);
