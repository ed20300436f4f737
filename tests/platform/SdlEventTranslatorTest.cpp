// SDL events as the engine receives them: keys with modifiers, typed characters, mouse and window.
#if VANTOREL_HAVE_SDL
#include "platform/sdl/SdlEventTranslator.h"

#include <SDL.h>
#include <cstring>
#include <gtest/gtest.h>

using namespace platform;
using platform::sdl::SdlEventTranslator;

namespace {

// The keycode a US layout gives a letter key (SDL's own table needs its video running); other
// keys are looked up by position anyway.
int UsKeycode(SDL_Scancode sc)
{
    return (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) ? 'a' + (sc - SDL_SCANCODE_A) : 0;
}

SDL_Event KeyEvent(Uint32 type, SDL_Scancode sc, int mod = KMOD_NONE, bool repeat = false)
{
    SDL_Event e{};
    e.type = type;
    e.key.keysym.scancode = sc;
    e.key.keysym.sym = UsKeycode(sc);
    e.key.keysym.mod = static_cast<Uint16>(mod);
    e.key.repeat = repeat ? 1 : 0;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    return e;
}

SDL_Event TextEvent(const char* utf8)
{
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    return e;
}

SDL_Event WindowEvent(Uint8 which, int data1 = 0, int data2 = 0)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = which;
    e.window.data1 = data1;
    e.window.data2 = data2;
    return e;
}

SDL_Event ButtonEvent(Uint32 type, Uint8 button, Uint8 clicks, int x, int y)
{
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    return e;
}

class Translator : public ::testing::Test
{
protected:
    std::vector<Event> Feed(const SDL_Event& e)
    {
        std::vector<Event> out;
        m_translator.Translate(e, out);
        return out;
    }

    // The characters a key press types (after its key-down event).
    std::vector<int> CharsOfPress(SDL_Scancode sc, int mod)
    {
        std::vector<int> chars;
        for (const Event& e : Feed(KeyEvent(SDL_KEYDOWN, sc, mod)))
            if (e.type == EventType::Char)
                chars.push_back(e.character);
        return chars;
    }

    SdlEventTranslator m_translator;
};

TEST_F(Translator, KeyDownAndUpCarryKeyNumberVirtualKeyAltAndRepeat)
{
    auto down = Feed(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_RCTRL, KMOD_RCTRL | KMOD_NUM));
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].type, EventType::KeyDown);
    EXPECT_EQ(down[0].key, 285);
    EXPECT_EQ(down[0].virtualKey, 17);
    EXPECT_FALSE(down[0].alt);
    EXPECT_FALSE(down[0].repeat);

    auto f4 = Feed(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_F4, KMOD_LALT, true));
    ASSERT_EQ(f4.size(), 1u);
    EXPECT_EQ(f4[0].key, 62);
    EXPECT_EQ(f4[0].virtualKey, 115);
    EXPECT_TRUE(f4[0].alt);
    EXPECT_TRUE(f4[0].repeat);

    auto up = Feed(KeyEvent(SDL_KEYUP, SDL_SCANCODE_LEFT, KMOD_RALT));
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].type, EventType::KeyUp);
    EXPECT_EQ(up[0].key, 331);
    EXPECT_EQ(up[0].virtualKey, 37);
    EXPECT_TRUE(up[0].alt);

    // Alt itself, Pause and Num Lock.
    EXPECT_EQ(Feed(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_LALT, KMOD_LALT))[0].key, 56);
    EXPECT_EQ(Feed(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_PAUSE))[0].key, 69);
    EXPECT_EQ(Feed(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_NUMLOCKCLEAR))[0].key, 325);
    EXPECT_TRUE(Feed(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_F13)).empty());
}

TEST_F(Translator, KeypadFollowsNumLockState)
{
    EXPECT_EQ(Feed(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_KP_8, KMOD_NONE))[0].virtualKey, 38);
    EXPECT_EQ(Feed(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_KP_8, KMOD_NUM))[0].virtualKey, 0x68);
    EXPECT_EQ(Feed(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_KP_PERIOD, KMOD_NONE))[0].virtualKey, 46);
    EXPECT_EQ(Feed(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_KP_5, KMOD_NONE))[0].virtualKey, 12);
}

TEST_F(Translator, ControlLettersGiveControlCodes)
{
    const SDL_Scancode letters[] = {
        SDL_SCANCODE_A, SDL_SCANCODE_B, SDL_SCANCODE_C, SDL_SCANCODE_D, SDL_SCANCODE_E, SDL_SCANCODE_F,
        SDL_SCANCODE_G, SDL_SCANCODE_H, SDL_SCANCODE_I, SDL_SCANCODE_J, SDL_SCANCODE_K, SDL_SCANCODE_L,
        SDL_SCANCODE_M, SDL_SCANCODE_N, SDL_SCANCODE_O, SDL_SCANCODE_P, SDL_SCANCODE_Q, SDL_SCANCODE_R,
        SDL_SCANCODE_S, SDL_SCANCODE_T, SDL_SCANCODE_U, SDL_SCANCODE_V, SDL_SCANCODE_W, SDL_SCANCODE_X,
        SDL_SCANCODE_Y, SDL_SCANCODE_Z,
    };
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(CharsOfPress(letters[i], KMOD_LCTRL), std::vector<int>{i + 1}) << i;
        EXPECT_EQ(CharsOfPress(letters[i], KMOD_RCTRL | KMOD_SHIFT), std::vector<int>{i + 1}) << i;
        // Without a modifier the letter comes as text input, not from the key.
        EXPECT_TRUE(CharsOfPress(letters[i], KMOD_NONE).empty()) << i;
    }
    // Copy, paste and cut.
    EXPECT_EQ(CharsOfPress(SDL_SCANCODE_C, KMOD_LCTRL), std::vector<int>{3});
    EXPECT_EQ(CharsOfPress(SDL_SCANCODE_V, KMOD_LCTRL), std::vector<int>{22});
    EXPECT_EQ(CharsOfPress(SDL_SCANCODE_X, KMOD_LCTRL), std::vector<int>{24});
    // Ctrl+Alt is AltGr on many layouts: no control code.
    EXPECT_TRUE(CharsOfPress(SDL_SCANCODE_Q, KMOD_LCTRL | KMOD_RALT).empty());
}

TEST_F(Translator, SpecialKeysTypeTheirControlCharacters)
{
    EXPECT_EQ(CharsOfPress(SDL_SCANCODE_BACKSPACE, KMOD_NONE), std::vector<int>{8});
    EXPECT_EQ(CharsOfPress(SDL_SCANCODE_TAB, KMOD_NONE), std::vector<int>{9});
    EXPECT_EQ(CharsOfPress(SDL_SCANCODE_TAB, KMOD_LSHIFT), std::vector<int>{9});
    EXPECT_TRUE(CharsOfPress(SDL_SCANCODE_TAB, KMOD_LCTRL).empty());
    EXPECT_EQ(CharsOfPress(SDL_SCANCODE_RETURN, KMOD_NONE), std::vector<int>{13});
    EXPECT_EQ(CharsOfPress(SDL_SCANCODE_KP_ENTER, KMOD_NONE), std::vector<int>{13});
    EXPECT_EQ(CharsOfPress(SDL_SCANCODE_RETURN, KMOD_LCTRL), std::vector<int>{10});
    EXPECT_EQ(CharsOfPress(SDL_SCANCODE_ESCAPE, KMOD_NONE), std::vector<int>{27});
    // Ctrl+digit types nothing (the key map gives the digit), nor do the navigation keys.
    EXPECT_TRUE(CharsOfPress(SDL_SCANCODE_5, KMOD_LCTRL).empty());
    EXPECT_TRUE(CharsOfPress(SDL_SCANCODE_LEFT, KMOD_NONE).empty());
    EXPECT_TRUE(CharsOfPress(SDL_SCANCODE_F1, KMOD_NONE).empty());
    EXPECT_TRUE(CharsOfPress(SDL_SCANCODE_LCTRL, KMOD_LCTRL).empty());
}

TEST_F(Translator, AltLetterTypesTheLetterOnce)
{
    auto events = Feed(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_F, KMOD_LALT));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].type, EventType::KeyDown);
    EXPECT_TRUE(events[0].alt);
    EXPECT_EQ(events[1].type, EventType::Char);
    EXPECT_EQ(events[1].character, 'f');
    // The desktop's own copy of the letter right after is not typed a second time.
    EXPECT_TRUE(Feed(TextEvent("f")).empty());
    // Other text is.
    auto g = Feed(TextEvent("g"));
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(g[0].character, 'g');

    EXPECT_EQ(CharsOfPress(SDL_SCANCODE_F, KMOD_LALT | KMOD_LSHIFT), std::vector<int>{'F'});
    EXPECT_EQ(CharsOfPress(SDL_SCANCODE_F, KMOD_LALT | KMOD_CAPS), std::vector<int>{'F'});
    EXPECT_EQ(CharsOfPress(SDL_SCANCODE_F, KMOD_LALT | KMOD_CAPS | KMOD_SHIFT), std::vector<int>{'f'});

    // Right Alt is AltGr on many layouts: AltGr+Q types only the layout's '@', never a 'q'.
    EXPECT_TRUE(CharsOfPress(SDL_SCANCODE_Q, KMOD_RALT).empty());
    auto at = Feed(TextEvent("@"));
    ASSERT_EQ(at.size(), 1u);
    EXPECT_EQ(at[0].character, '@');
}

TEST_F(Translator, TextInputBecomesWindows1252)
{
    auto chars = [&](const char* utf8) {
        std::vector<int> out;
        for (const Event& e : Feed(TextEvent(utf8))) {
            EXPECT_EQ(e.type, EventType::Char);
            out.push_back(e.character);
        }
        return out;
    };
    EXPECT_EQ(chars("a"), std::vector<int>{'a'});
    EXPECT_EQ(chars("\xC3\xA9"), std::vector<int>{0xE9});              // e acute
    EXPECT_EQ(chars("\xE2\x82\xAC"), std::vector<int>{0x80});          // euro sign
    EXPECT_EQ(chars("\xC5\x93"), std::vector<int>{0x9C});              // oe ligature
    EXPECT_EQ(chars("x\xE3\x82\xA2y"), (std::vector<int>{'x', 'y'}));  // katakana dropped
    EXPECT_TRUE(chars("\xF0\x9F\x98\x80").empty());                    // emoji dropped
    EXPECT_EQ(chars("ab"), (std::vector<int>{'a', 'b'}));
}

TEST_F(Translator, ApplicationKeyAsksForTheContextMenu)
{
    auto events = Feed(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_APPLICATION));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].key, 349);
    EXPECT_EQ(events[1].type, EventType::ContextMenu);
    EXPECT_EQ(Feed(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_APPLICATION, 0, true)).size(), 1u);
}

TEST_F(Translator, MouseMotionIsSignedAndButtonsUseTheirMasks)
{
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = -25;
    motion.motion.y = -3;
    auto m = Feed(motion);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].type, EventType::MouseMove);
    EXPECT_EQ(m[0].x, -25);
    EXPECT_EQ(m[0].y, -3);

    const std::pair<Uint8, int> buttons[] = {
        {SDL_BUTTON_LEFT, kMouseLeft}, {SDL_BUTTON_RIGHT, kMouseRight}, {SDL_BUTTON_MIDDLE, kMouseMiddle}};
    for (auto [button, mask] : buttons) {
        auto down = Feed(ButtonEvent(SDL_MOUSEBUTTONDOWN, button, 1, 10, 20));
        ASSERT_EQ(down.size(), 1u);
        EXPECT_EQ(down[0].type, EventType::MouseDown);
        EXPECT_EQ(down[0].button, mask);
        EXPECT_EQ(down[0].x, 10);
        EXPECT_EQ(down[0].y, 20);
        auto up = Feed(ButtonEvent(SDL_MOUSEBUTTONUP, button, 1, 11, 21));
        ASSERT_EQ(up.size(), 1u);
        EXPECT_EQ(up[0].type, EventType::MouseUp);
        EXPECT_EQ(up[0].button, mask);
    }
    EXPECT_TRUE(Feed(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1, 0, 0)).empty());
}

TEST_F(Translator, EvenClickCountsAreDoubleClicks)
{
    const EventType expected[] = {EventType::MouseDown, EventType::MouseDoubleClick, EventType::MouseDown,
                                  EventType::MouseDoubleClick};
    for (int clicks = 1; clicks <= 4; ++clicks) {
        auto e = Feed(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, static_cast<Uint8>(clicks), 5, 5));
        ASSERT_EQ(e.size(), 1u);
        EXPECT_EQ(e[0].type, expected[clicks - 1]) << clicks;
        EXPECT_EQ(e[0].button, kMouseLeft);
        // The release after a double click is a plain release.
        EXPECT_EQ(Feed(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, static_cast<Uint8>(clicks), 5, 5))[0].type,
                  EventType::MouseUp);
    }
}

TEST_F(Translator, WheelCountsInHundredTwentiethsOfANotch)
{
    auto wheel = [&](int y, float precise, Uint32 direction) {
        SDL_Event e{};
        e.type = SDL_MOUSEWHEEL;
        e.wheel.y = y;
        e.wheel.preciseY = precise;
        e.wheel.direction = direction;
        auto out = Feed(e);
        if (out.empty())
            return 0;
        EXPECT_EQ(out[0].type, EventType::MouseWheel);
        return out[0].wheel;
    };
    EXPECT_EQ(wheel(1, 1.0f, SDL_MOUSEWHEEL_NORMAL), 120);
    EXPECT_EQ(wheel(-2, -2.0f, SDL_MOUSEWHEEL_NORMAL), -240);
    EXPECT_EQ(wheel(0, 0.5f, SDL_MOUSEWHEEL_NORMAL), 60);
    EXPECT_EQ(wheel(1, 0.0f, SDL_MOUSEWHEEL_NORMAL), 120);   // no precise value reported
    EXPECT_EQ(wheel(1, 1.0f, SDL_MOUSEWHEEL_FLIPPED), -120);
    EXPECT_EQ(wheel(0, 0.0f, SDL_MOUSEWHEEL_NORMAL), 0);      // horizontal only: nothing
}

TEST_F(Translator, WindowEvents)
{
    auto one = [&](const SDL_Event& e) {
        auto out = Feed(e);
        EXPECT_EQ(out.size(), 1u);
        return out.empty() ? Event{} : out[0];
    };
    EXPECT_EQ(one(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED)).type, EventType::Activate);
    EXPECT_EQ(one(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)).type, EventType::Deactivate);
    EXPECT_EQ(one(WindowEvent(SDL_WINDOWEVENT_MINIMIZED)).type, EventType::Minimize);
    EXPECT_EQ(one(WindowEvent(SDL_WINDOWEVENT_RESTORED)).type, EventType::Restore);
    EXPECT_EQ(one(WindowEvent(SDL_WINDOWEVENT_EXPOSED)).type, EventType::Paint);
    EXPECT_EQ(one(WindowEvent(SDL_WINDOWEVENT_ENTER)).type, EventType::MouseEnter);
    Event moved = one(WindowEvent(SDL_WINDOWEVENT_MOVED, -4, 30));
    EXPECT_EQ(moved.type, EventType::Moved);
    EXPECT_EQ(moved.x, -4);
    EXPECT_EQ(moved.y, 30);
    Event sized = one(WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 800, 600));
    EXPECT_EQ(sized.type, EventType::Resized);
    EXPECT_EQ(sized.x, 800);
    EXPECT_EQ(sized.y, 600);
    EXPECT_TRUE(Feed(WindowEvent(SDL_WINDOWEVENT_SHOWN)).empty());
}

TEST_F(Translator, CloseComesOnceWhenTheLastWindowCloses)
{
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    auto close = Feed(WindowEvent(SDL_WINDOWEVENT_CLOSE));
    ASSERT_EQ(close.size(), 1u);
    EXPECT_EQ(close[0].type, EventType::Close);
    EXPECT_TRUE(Feed(quit).empty());
    // A quit of its own (the terminal's interrupt) closes.
    auto alone = Feed(quit);
    ASSERT_EQ(alone.size(), 1u);
    EXPECT_EQ(alone[0].type, EventType::Close);
}

} // namespace
#endif
