// The in-memory extended dialog template (DLGTEMPLATEEX) built from the shared dialog data.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui_types.h"

namespace win32_layout {

// Style bits, as the Windows headers define them (the backend checks them against those).
constexpr uint32_t WsPopup = 0x80000000;
constexpr uint32_t WsChild = 0x40000000;
constexpr uint32_t WsVisible = 0x10000000;
constexpr uint32_t WsCaption = 0x00C00000;
constexpr uint32_t WsBorder = 0x00800000;
constexpr uint32_t WsSysMenu = 0x00080000;
constexpr uint32_t WsGroup = 0x00020000;
constexpr uint32_t WsTabStop = 0x00010000;
constexpr uint32_t DsSetFont = 0x40;
constexpr uint32_t DsModalFrame = 0x80;
constexpr uint32_t BsPushButton = 0x0;
constexpr uint32_t BsDefPushButton = 0x1;
constexpr uint32_t BsCheckBox = 0x2;
constexpr uint32_t BsRadioButton = 0x4;
constexpr uint32_t BsGroupBox = 0x7;
constexpr uint32_t EsAutoHScroll = 0x80;
constexpr uint32_t SsLeft = 0x0;

// Predefined window classes of dialog controls, written as 0xFFFF then the atom.
constexpr uint16_t ButtonClassAtom = 0x80;
constexpr uint16_t EditClassAtom = 0x81;
constexpr uint16_t StaticClassAtom = 0x82;

// Every dialog of the game: a modal frame with caption and close box, in "Helv" 8 points.
constexpr uint32_t DialogStyle = WsPopup | WsCaption | WsSysMenu | DsModalFrame | DsSetFont;
constexpr uint16_t DialogFontPoints = 8;
constexpr uint16_t DialogFontWeight = 400; // FW_NORMAL
constexpr uint8_t DialogFontCharset = 1;   // DEFAULT_CHARSET
constexpr std::string_view DialogFontFace = "Helv";

// The window style of a control of this kind, WS_CHILD and WS_VISIBLE included.
uint32_t controlStyle(ControlKind kind);
// The atom of the predefined class of a control of this kind.
uint16_t controlClassAtom(ControlKind kind);

// Windows-1252 text as UTF-16 code units, up to the first zero byte.
std::u16string windows1252ToUtf16(std::string_view text);

// The whole template, little-endian, as DialogBoxIndirectParam reads it. The caller keeps
// it in DWORD-aligned memory.
std::vector<uint8_t> buildDialogTemplate(const DialogTemplate& dialog);

} // namespace win32_layout
