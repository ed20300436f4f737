#pragma once
// The keys of a PC keyboard by key number (set-1 scan code, +256 when extended), with the Windows
// virtual-key code each one delivers and a display name. Backends map their own key codes to key
// numbers and take the rest from here.
#include <cstddef>
#include <span>

namespace platform {

struct KeyInfo
{
    int keyNumber;
    int virtualKey;             // with Num Lock on (keypad digits are 96-105)
    int virtualKeyNumLockOff;   // keypad keys with Num Lock off act as navigation keys
    const char* name;
};

// Every key, ascending by key number.
std::span<const KeyInfo> GetKeyTable();

// The entry of a key number, or null.
const KeyInfo* FindKey(int keyNumber);

// The virtual-key code of a key number, 0 when unknown.
int VirtualKeyOfKeyNumber(int keyNumber, bool numLock);

// Display name of a key number, null when unknown.
const char* KeyNameOfKeyNumber(int keyNumber);

// Well-known key numbers.
constexpr int kKeyEscape = 1;
constexpr int kKeyBackspace = 14;
constexpr int kKeyTab = 15;
constexpr int kKeyReturn = 28;
constexpr int kKeyLeftCtrl = 29;
constexpr int kKeyLeftShift = 42;
constexpr int kKeyRightShift = 54;
constexpr int kKeyLeftAlt = 56;
constexpr int kKeyPause = 69;
constexpr int kKeyKeypadEnter = 284;
constexpr int kKeyRightCtrl = 285;
constexpr int kKeyRightAlt = 312;
constexpr int kKeyNumLock = 325;
constexpr int kKeyDelete = 339;
constexpr int kKeyApplication = 349;

} // namespace platform
