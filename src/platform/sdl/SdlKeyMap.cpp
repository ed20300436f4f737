#include "platform/sdl/SdlKeyMap.h"

#include "platform/KeyTable.h"

#include <SDL.h>

namespace platform::sdl {

namespace {
struct ScancodeKey
{
    SDL_Scancode scancode;
    int keyNumber;
};

constexpr ScancodeKey kScancodeKeys[] = {
    {SDL_SCANCODE_ESCAPE, 1},
    {SDL_SCANCODE_1, 2}, {SDL_SCANCODE_2, 3}, {SDL_SCANCODE_3, 4}, {SDL_SCANCODE_4, 5},
    {SDL_SCANCODE_5, 6}, {SDL_SCANCODE_6, 7}, {SDL_SCANCODE_7, 8}, {SDL_SCANCODE_8, 9},
    {SDL_SCANCODE_9, 10}, {SDL_SCANCODE_0, 11},
    {SDL_SCANCODE_MINUS, 12}, {SDL_SCANCODE_EQUALS, 13}, {SDL_SCANCODE_BACKSPACE, 14},
    {SDL_SCANCODE_TAB, 15},
    {SDL_SCANCODE_Q, 16}, {SDL_SCANCODE_W, 17}, {SDL_SCANCODE_E, 18}, {SDL_SCANCODE_R, 19},
    {SDL_SCANCODE_T, 20}, {SDL_SCANCODE_Y, 21}, {SDL_SCANCODE_U, 22}, {SDL_SCANCODE_I, 23},
    {SDL_SCANCODE_O, 24}, {SDL_SCANCODE_P, 25},
    {SDL_SCANCODE_LEFTBRACKET, 26}, {SDL_SCANCODE_RIGHTBRACKET, 27}, {SDL_SCANCODE_RETURN, 28},
    {SDL_SCANCODE_LCTRL, 29},
    {SDL_SCANCODE_A, 30}, {SDL_SCANCODE_S, 31}, {SDL_SCANCODE_D, 32}, {SDL_SCANCODE_F, 33},
    {SDL_SCANCODE_G, 34}, {SDL_SCANCODE_H, 35}, {SDL_SCANCODE_J, 36}, {SDL_SCANCODE_K, 37},
    {SDL_SCANCODE_L, 38},
    {SDL_SCANCODE_SEMICOLON, 39}, {SDL_SCANCODE_APOSTROPHE, 40}, {SDL_SCANCODE_GRAVE, 41},
    {SDL_SCANCODE_LSHIFT, 42}, {SDL_SCANCODE_BACKSLASH, 43},
    {SDL_SCANCODE_Z, 44}, {SDL_SCANCODE_X, 45}, {SDL_SCANCODE_C, 46}, {SDL_SCANCODE_V, 47},
    {SDL_SCANCODE_B, 48}, {SDL_SCANCODE_N, 49}, {SDL_SCANCODE_M, 50},
    {SDL_SCANCODE_COMMA, 51}, {SDL_SCANCODE_PERIOD, 52}, {SDL_SCANCODE_SLASH, 53},
    {SDL_SCANCODE_RSHIFT, 54},
    {SDL_SCANCODE_KP_MULTIPLY, 55}, {SDL_SCANCODE_LALT, 56}, {SDL_SCANCODE_SPACE, 57},
    {SDL_SCANCODE_CAPSLOCK, 58},
    {SDL_SCANCODE_F1, 59}, {SDL_SCANCODE_F2, 60}, {SDL_SCANCODE_F3, 61}, {SDL_SCANCODE_F4, 62},
    {SDL_SCANCODE_F5, 63}, {SDL_SCANCODE_F6, 64}, {SDL_SCANCODE_F7, 65}, {SDL_SCANCODE_F8, 66},
    {SDL_SCANCODE_F9, 67}, {SDL_SCANCODE_F10, 68},
    {SDL_SCANCODE_PAUSE, 69}, {SDL_SCANCODE_SCROLLLOCK, 70},
    {SDL_SCANCODE_KP_7, 71}, {SDL_SCANCODE_KP_8, 72}, {SDL_SCANCODE_KP_9, 73},
    {SDL_SCANCODE_KP_MINUS, 74},
    {SDL_SCANCODE_KP_4, 75}, {SDL_SCANCODE_KP_5, 76}, {SDL_SCANCODE_KP_6, 77},
    {SDL_SCANCODE_KP_PLUS, 78},
    {SDL_SCANCODE_KP_1, 79}, {SDL_SCANCODE_KP_2, 80}, {SDL_SCANCODE_KP_3, 81},
    {SDL_SCANCODE_KP_0, 82}, {SDL_SCANCODE_KP_PERIOD, 83},
    {SDL_SCANCODE_NONUSBACKSLASH, 86}, {SDL_SCANCODE_F11, 87}, {SDL_SCANCODE_F12, 88},
    {SDL_SCANCODE_KP_ENTER, 284}, {SDL_SCANCODE_RCTRL, 285}, {SDL_SCANCODE_KP_DIVIDE, 309},
    {SDL_SCANCODE_PRINTSCREEN, 311}, {SDL_SCANCODE_RALT, 312},
    {SDL_SCANCODE_NUMLOCKCLEAR, 325},
    {SDL_SCANCODE_HOME, 327}, {SDL_SCANCODE_UP, 328}, {SDL_SCANCODE_PAGEUP, 329},
    {SDL_SCANCODE_LEFT, 331}, {SDL_SCANCODE_RIGHT, 333}, {SDL_SCANCODE_END, 335},
    {SDL_SCANCODE_DOWN, 336}, {SDL_SCANCODE_PAGEDOWN, 337}, {SDL_SCANCODE_INSERT, 338},
    {SDL_SCANCODE_DELETE, 339},
    {SDL_SCANCODE_LGUI, 347}, {SDL_SCANCODE_RGUI, 348}, {SDL_SCANCODE_APPLICATION, 349},
    // The ISO key beside Return sits where the backslash key does on other keyboards.
    {SDL_SCANCODE_NONUSHASH, 43},
};

struct Tables
{
    int keyOfScancode[SDL_NUM_SCANCODES] = {};
    int scancodeOfKey[512] = {};

    Tables()
    {
        for (const ScancodeKey& entry : kScancodeKeys) {
            keyOfScancode[entry.scancode] = entry.keyNumber;
            if (scancodeOfKey[entry.keyNumber] == 0)
                scancodeOfKey[entry.keyNumber] = entry.scancode;
        }
    }
};

const Tables& GetTables()
{
    static const Tables s_tables;
    return s_tables;
}
} // namespace

int KeyNumberFromScancode(int scancode)
{
    if (scancode <= 0 || scancode >= SDL_NUM_SCANCODES)
        return 0;
    return GetTables().keyOfScancode[scancode];
}

int ScancodeFromKeyNumber(int keyNumber)
{
    if (keyNumber <= 0 || keyNumber >= 512)
        return 0;
    return GetTables().scancodeOfKey[keyNumber];
}

int VirtualKeyFromScancode(int scancode, int keycode, bool numLock)
{
    int key = KeyNumberFromScancode(scancode);
    if (key == 0)
        return 0;
    int vk = VirtualKeyOfKeyNumber(key, numLock);
    if (vk >= 'A' && vk <= 'Z' && keycode >= 'a' && keycode <= 'z')
        return keycode - 'a' + 'A';
    return vk;
}

} // namespace platform::sdl
