// The SDL backend's key tables: every key of a PC keyboard gives its key number and its Windows
// virtual key.
#if VANTOREL_HAVE_SDL
#include "platform/KeyTable.h"
#include "platform/sdl/SdlKeyMap.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <set>

using namespace platform;
using namespace platform::sdl;

namespace {

// The keycode a US layout gives a letter key (SDL's own table needs its video running); other
// keys are looked up by position anyway.
int UsKeycode(SDL_Scancode sc)
{
    return (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) ? 'a' + (sc - SDL_SCANCODE_A) : 0;
}

struct Expected
{
    SDL_Scancode scancode;
    int keyNumber;
    int virtualKey;
};

// Written from the PC keyboard's set-1 scan codes and the Windows virtual-key list.
const Expected kPcKeyboard[] = {
    {SDL_SCANCODE_ESCAPE, 1, 27},
    {SDL_SCANCODE_1, 2, 49}, {SDL_SCANCODE_2, 3, 50}, {SDL_SCANCODE_3, 4, 51}, {SDL_SCANCODE_4, 5, 52},
    {SDL_SCANCODE_5, 6, 53}, {SDL_SCANCODE_6, 7, 54}, {SDL_SCANCODE_7, 8, 55}, {SDL_SCANCODE_8, 9, 56},
    {SDL_SCANCODE_9, 10, 57}, {SDL_SCANCODE_0, 11, 48},
    {SDL_SCANCODE_MINUS, 12, 0xBD}, {SDL_SCANCODE_EQUALS, 13, 0xBB}, {SDL_SCANCODE_BACKSPACE, 14, 8},
    {SDL_SCANCODE_TAB, 15, 9},
    {SDL_SCANCODE_Q, 16, 'Q'}, {SDL_SCANCODE_W, 17, 'W'}, {SDL_SCANCODE_E, 18, 'E'}, {SDL_SCANCODE_R, 19, 'R'},
    {SDL_SCANCODE_T, 20, 'T'}, {SDL_SCANCODE_Y, 21, 'Y'}, {SDL_SCANCODE_U, 22, 'U'}, {SDL_SCANCODE_I, 23, 'I'},
    {SDL_SCANCODE_O, 24, 'O'}, {SDL_SCANCODE_P, 25, 'P'},
    {SDL_SCANCODE_LEFTBRACKET, 26, 0xDB}, {SDL_SCANCODE_RIGHTBRACKET, 27, 0xDD},
    {SDL_SCANCODE_RETURN, 28, 13}, {SDL_SCANCODE_LCTRL, 29, 17},
    {SDL_SCANCODE_A, 30, 'A'}, {SDL_SCANCODE_S, 31, 'S'}, {SDL_SCANCODE_D, 32, 'D'}, {SDL_SCANCODE_F, 33, 'F'},
    {SDL_SCANCODE_G, 34, 'G'}, {SDL_SCANCODE_H, 35, 'H'}, {SDL_SCANCODE_J, 36, 'J'}, {SDL_SCANCODE_K, 37, 'K'},
    {SDL_SCANCODE_L, 38, 'L'},
    {SDL_SCANCODE_SEMICOLON, 39, 0xBA}, {SDL_SCANCODE_APOSTROPHE, 40, 0xDE}, {SDL_SCANCODE_GRAVE, 41, 0xC0},
    {SDL_SCANCODE_LSHIFT, 42, 16}, {SDL_SCANCODE_BACKSLASH, 43, 0xDC},
    {SDL_SCANCODE_Z, 44, 'Z'}, {SDL_SCANCODE_X, 45, 'X'}, {SDL_SCANCODE_C, 46, 'C'}, {SDL_SCANCODE_V, 47, 'V'},
    {SDL_SCANCODE_B, 48, 'B'}, {SDL_SCANCODE_N, 49, 'N'}, {SDL_SCANCODE_M, 50, 'M'},
    {SDL_SCANCODE_COMMA, 51, 0xBC}, {SDL_SCANCODE_PERIOD, 52, 0xBE}, {SDL_SCANCODE_SLASH, 53, 0xBF},
    {SDL_SCANCODE_RSHIFT, 54, 16},
    {SDL_SCANCODE_KP_MULTIPLY, 55, 0x6A}, {SDL_SCANCODE_LALT, 56, 18}, {SDL_SCANCODE_SPACE, 57, 32},
    {SDL_SCANCODE_CAPSLOCK, 58, 20},
    {SDL_SCANCODE_F1, 59, 112}, {SDL_SCANCODE_F2, 60, 113}, {SDL_SCANCODE_F3, 61, 114},
    {SDL_SCANCODE_F4, 62, 115}, {SDL_SCANCODE_F5, 63, 116}, {SDL_SCANCODE_F6, 64, 117},
    {SDL_SCANCODE_F7, 65, 118}, {SDL_SCANCODE_F8, 66, 119}, {SDL_SCANCODE_F9, 67, 120},
    {SDL_SCANCODE_F10, 68, 121},
    {SDL_SCANCODE_PAUSE, 69, 19}, {SDL_SCANCODE_SCROLLLOCK, 70, 145},
    {SDL_SCANCODE_KP_7, 71, 0x67}, {SDL_SCANCODE_KP_8, 72, 0x68}, {SDL_SCANCODE_KP_9, 73, 0x69},
    {SDL_SCANCODE_KP_MINUS, 74, 0x6D},
    {SDL_SCANCODE_KP_4, 75, 0x64}, {SDL_SCANCODE_KP_5, 76, 0x65}, {SDL_SCANCODE_KP_6, 77, 0x66},
    {SDL_SCANCODE_KP_PLUS, 78, 0x6B},
    {SDL_SCANCODE_KP_1, 79, 0x61}, {SDL_SCANCODE_KP_2, 80, 0x62}, {SDL_SCANCODE_KP_3, 81, 0x63},
    {SDL_SCANCODE_KP_0, 82, 0x60}, {SDL_SCANCODE_KP_PERIOD, 83, 0x6E},
    {SDL_SCANCODE_NONUSBACKSLASH, 86, 0xE2}, {SDL_SCANCODE_F11, 87, 122}, {SDL_SCANCODE_F12, 88, 123},
    {SDL_SCANCODE_KP_ENTER, 284, 13}, {SDL_SCANCODE_RCTRL, 285, 17}, {SDL_SCANCODE_KP_DIVIDE, 309, 0x6F},
    {SDL_SCANCODE_PRINTSCREEN, 311, 0x2C}, {SDL_SCANCODE_RALT, 312, 18},
    {SDL_SCANCODE_NUMLOCKCLEAR, 325, 0x90},
    {SDL_SCANCODE_HOME, 327, 36}, {SDL_SCANCODE_UP, 328, 38}, {SDL_SCANCODE_PAGEUP, 329, 33},
    {SDL_SCANCODE_LEFT, 331, 37}, {SDL_SCANCODE_RIGHT, 333, 39}, {SDL_SCANCODE_END, 335, 35},
    {SDL_SCANCODE_DOWN, 336, 40}, {SDL_SCANCODE_PAGEDOWN, 337, 34}, {SDL_SCANCODE_INSERT, 338, 45},
    {SDL_SCANCODE_DELETE, 339, 46},
    {SDL_SCANCODE_LGUI, 347, 0x5B}, {SDL_SCANCODE_RGUI, 348, 0x5C}, {SDL_SCANCODE_APPLICATION, 349, 0x5D},
};

TEST(SdlKeyMap, EveryPcKeyGivesItsKeyNumberAndVirtualKey)
{
    for (const Expected& key : kPcKeyboard) {
        SCOPED_TRACE(SDL_GetScancodeName(key.scancode));
        EXPECT_EQ(KeyNumberFromScancode(key.scancode), key.keyNumber);
        // Num Lock on, keycode of a US layout (letters lower case, as SDL reports them).
        int keycode = UsKeycode(key.scancode);
        EXPECT_EQ(VirtualKeyFromScancode(key.scancode, keycode, true), key.virtualKey);
        EXPECT_EQ(ScancodeFromKeyNumber(key.keyNumber), key.scancode);
    }
}

TEST(SdlKeyMap, KeyNumbersAreUniqueAndTheKeyTableHasEveryKey)
{
    std::set<int> seen;
    for (const Expected& key : kPcKeyboard)
        EXPECT_TRUE(seen.insert(key.keyNumber).second) << key.keyNumber;
    EXPECT_EQ(seen.size(), GetKeyTable().size());
    for (const KeyInfo& info : GetKeyTable())
        EXPECT_EQ(seen.count(info.keyNumber), 1u) << info.keyNumber;
}

TEST(SdlKeyMap, KeysAPcKeyboardLacksGiveZero)
{
    for (SDL_Scancode sc : {SDL_SCANCODE_UNKNOWN, SDL_SCANCODE_F13, SDL_SCANCODE_F24, SDL_SCANCODE_MUTE,
                            SDL_SCANCODE_AUDIONEXT, SDL_SCANCODE_KP_EQUALS, SDL_SCANCODE_LANG1})
        EXPECT_EQ(KeyNumberFromScancode(sc), 0) << SDL_GetScancodeName(sc);
    EXPECT_EQ(KeyNumberFromScancode(-1), 0);
    EXPECT_EQ(KeyNumberFromScancode(SDL_NUM_SCANCODES), 0);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_F13, SDLK_F13, true), 0);
    EXPECT_EQ(ScancodeFromKeyNumber(0), 0);
    EXPECT_EQ(ScancodeFromKeyNumber(84), 0);
    EXPECT_EQ(ScancodeFromKeyNumber(512), 0);
}

TEST(SdlKeyMap, KeypadWithNumLockOffGivesNavigationKeys)
{
    const std::pair<SDL_Scancode, int> keypad[] = {
        {SDL_SCANCODE_KP_7, 36}, {SDL_SCANCODE_KP_8, 38}, {SDL_SCANCODE_KP_9, 33}, {SDL_SCANCODE_KP_4, 37},
        {SDL_SCANCODE_KP_5, 12}, {SDL_SCANCODE_KP_6, 39}, {SDL_SCANCODE_KP_1, 35}, {SDL_SCANCODE_KP_2, 40},
        {SDL_SCANCODE_KP_3, 34}, {SDL_SCANCODE_KP_0, 45}, {SDL_SCANCODE_KP_PERIOD, 46},
    };
    for (auto [sc, vk] : keypad) {
        EXPECT_EQ(VirtualKeyFromScancode(sc, 0, false), vk) << SDL_GetScancodeName(sc);
        // With Num Lock on they are never the top-row digits.
        int on = VirtualKeyFromScancode(sc, 0, true);
        EXPECT_TRUE(on < 48 || on > 57) << on;
    }
    // The operators and Enter do not depend on Num Lock; the key numbers never do.
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_PLUS, 0, false), 0x6B);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_ENTER, 0, false), 13);
    EXPECT_EQ(KeyNumberFromScancode(SDL_SCANCODE_KP_8), 72);
}

TEST(SdlKeyMap, LettersFollowTheLayoutOtherKeysTheirPosition)
{
    // A French layout: the key in the Q position types 'a', the top row's '1' key types '&'.
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_Q, 'a', true), 'A');
    EXPECT_EQ(KeyNumberFromScancode(SDL_SCANCODE_Q), 16);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_1, '&', true), '1');
    // A layout keycode that is not a letter leaves the letter key's own code.
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_SEMICOLON, 'm', true), 0xBA);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_A, 0x00E9, true), 'A');
}

TEST(SdlKeyMap, IsoKeyBesideReturnIsTheBackslashKey)
{
    EXPECT_EQ(KeyNumberFromScancode(SDL_SCANCODE_NONUSHASH), 43);
    EXPECT_EQ(ScancodeFromKeyNumber(43), SDL_SCANCODE_BACKSLASH);
}

} // namespace
#endif
