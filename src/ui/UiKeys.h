#pragma once
// The key codes windows receive in OnKey: typed characters are their Windows-1252 codes (32 and
// above); the editing and navigation keys arrive as these control codes.
#include <cstdint>

namespace uikey {

constexpr int32_t kSelectAll = 1;  // Ctrl+A
constexpr int32_t kHome = 5;
constexpr int32_t kUp = 6;
constexpr int32_t kBackspace = 8;
constexpr int32_t kTab = 9;
constexpr int32_t kDown = 10;
constexpr int32_t kLeft = 11;
constexpr int32_t kRight = 12;
constexpr int32_t kEnter = 13;
constexpr int32_t kEnd = 14;
constexpr int32_t kInsert = 16;
constexpr int32_t kDelete = 17;
constexpr int32_t kEscape = 27;
constexpr int32_t kFirstCharacter = 32;
// Sent by the game's player control sets: presses a dialog's default button.
constexpr int32_t kControlSetAction = 250;

} // namespace uikey
