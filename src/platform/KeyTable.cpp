#include "platform/KeyTable.h"

#include <algorithm>

namespace platform {

namespace {
// key number, virtual key (Num Lock on), virtual key (Num Lock off), name
constexpr KeyInfo kKeys[] = {
    {1, 27, 27, "Escape"},
    {2, '1', '1', "1"}, {3, '2', '2', "2"}, {4, '3', '3', "3"}, {5, '4', '4', "4"},
    {6, '5', '5', "5"}, {7, '6', '6', "6"}, {8, '7', '7', "7"}, {9, '8', '8', "8"},
    {10, '9', '9', "9"}, {11, '0', '0', "0"},
    {12, 189, 189, "-"}, {13, 187, 187, "="}, {14, 8, 8, "Backspace"}, {15, 9, 9, "Tab"},
    {16, 'Q', 'Q', "Q"}, {17, 'W', 'W', "W"}, {18, 'E', 'E', "E"}, {19, 'R', 'R', "R"},
    {20, 'T', 'T', "T"}, {21, 'Y', 'Y', "Y"}, {22, 'U', 'U', "U"}, {23, 'I', 'I', "I"},
    {24, 'O', 'O', "O"}, {25, 'P', 'P', "P"},
    {26, 219, 219, "["}, {27, 221, 221, "]"}, {28, 13, 13, "Return"}, {29, 17, 17, "Left Ctrl"},
    {30, 'A', 'A', "A"}, {31, 'S', 'S', "S"}, {32, 'D', 'D', "D"}, {33, 'F', 'F', "F"},
    {34, 'G', 'G', "G"}, {35, 'H', 'H', "H"}, {36, 'J', 'J', "J"}, {37, 'K', 'K', "K"},
    {38, 'L', 'L', "L"},
    {39, 186, 186, ";"}, {40, 222, 222, "'"}, {41, 192, 192, "`"}, {42, 16, 16, "Left Shift"},
    {43, 220, 220, "\\"},
    {44, 'Z', 'Z', "Z"}, {45, 'X', 'X', "X"}, {46, 'C', 'C', "C"}, {47, 'V', 'V', "V"},
    {48, 'B', 'B', "B"}, {49, 'N', 'N', "N"}, {50, 'M', 'M', "M"},
    {51, 188, 188, ","}, {52, 190, 190, "."}, {53, 191, 191, "/"}, {54, 16, 16, "Right Shift"},
    {55, 106, 106, "Keypad *"}, {56, 18, 18, "Left Alt"}, {57, 32, 32, "Space"},
    {58, 20, 20, "CapsLock"},
    {59, 112, 112, "F1"}, {60, 113, 113, "F2"}, {61, 114, 114, "F3"}, {62, 115, 115, "F4"},
    {63, 116, 116, "F5"}, {64, 117, 117, "F6"}, {65, 118, 118, "F7"}, {66, 119, 119, "F8"},
    {67, 120, 120, "F9"}, {68, 121, 121, "F10"},
    {69, 19, 19, "Pause"}, {70, 145, 145, "ScrollLock"},
    {71, 103, 36, "Keypad 7"}, {72, 104, 38, "Keypad 8"}, {73, 105, 33, "Keypad 9"},
    {74, 109, 109, "Keypad -"},
    {75, 100, 37, "Keypad 4"}, {76, 101, 12, "Keypad 5"}, {77, 102, 39, "Keypad 6"},
    {78, 107, 107, "Keypad +"},
    {79, 97, 35, "Keypad 1"}, {80, 98, 40, "Keypad 2"}, {81, 99, 34, "Keypad 3"},
    {82, 96, 45, "Keypad 0"}, {83, 110, 46, "Keypad ."},
    {86, 226, 226, "<"}, {87, 122, 122, "F11"}, {88, 123, 123, "F12"},
    {284, 13, 13, "Keypad Enter"}, {285, 17, 17, "Right Ctrl"}, {309, 111, 111, "Keypad /"},
    {311, 44, 44, "PrintScreen"}, {312, 18, 18, "Right Alt"}, {325, 144, 144, "Numlock"},
    {327, 36, 36, "Home"}, {328, 38, 38, "Up"}, {329, 33, 33, "PageUp"}, {331, 37, 37, "Left"},
    {333, 39, 39, "Right"}, {335, 35, 35, "End"}, {336, 40, 40, "Down"},
    {337, 34, 34, "PageDown"}, {338, 45, 45, "Insert"}, {339, 46, 46, "Delete"},
    {347, 91, 91, "Left GUI"}, {348, 92, 92, "Right GUI"}, {349, 93, 93, "Application"},
};
} // namespace

std::span<const KeyInfo> GetKeyTable()
{
    return kKeys;
}

const KeyInfo* FindKey(int keyNumber)
{
    auto it = std::lower_bound(std::begin(kKeys), std::end(kKeys), keyNumber,
                               [](const KeyInfo& k, int n) { return k.keyNumber < n; });
    return (it != std::end(kKeys) && it->keyNumber == keyNumber) ? it : nullptr;
}

int VirtualKeyOfKeyNumber(int keyNumber, bool numLock)
{
    const KeyInfo* key = FindKey(keyNumber);
    if (!key)
        return 0;
    return numLock ? key->virtualKey : key->virtualKeyNumLockOff;
}

const char* KeyNameOfKeyNumber(int keyNumber)
{
    const KeyInfo* key = FindKey(keyNumber);
    return key ? key->name : nullptr;
}

} // namespace platform
