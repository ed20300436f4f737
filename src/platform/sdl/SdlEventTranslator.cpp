#include "platform/sdl/SdlEventTranslator.h"

#include "platform/Charset.h"
#include "platform/KeyTable.h"
#include "platform/sdl/SdlKeyMap.h"

#include <SDL.h>
#include <cmath>
#include <cstring>

namespace platform::sdl {

unsigned char SdlEventTranslator::CharacterForKeyDown(int keyNumber, int keycode, int mod)
{
    const bool ctrl = (mod & KMOD_CTRL) != 0;
    const bool alt = (mod & KMOD_ALT) != 0;
    switch (keyNumber) {
    case kKeyBackspace: return 8;
    case kKeyTab: return ctrl ? 0 : 9;
    case kKeyReturn:
    case kKeyKeypadEnter: return ctrl ? 10 : 13;
    case kKeyEscape: return 27;
    default: break;
    }
    int vk = VirtualKeyOfKeyNumber(keyNumber, true);
    if (vk < 'A' || vk > 'Z')
        return 0;
    int letter = (keycode >= 'a' && keycode <= 'z') ? keycode - 'a' + 'A' : vk;
    if (ctrl && !alt)
        return static_cast<unsigned char>(letter - 'A' + 1);
    // Right Alt is AltGr on many layouts: its characters come as text of their own.
    if ((mod & KMOD_ALT) == KMOD_LALT && !ctrl) {
        bool upper = ((mod & KMOD_SHIFT) != 0) != ((mod & KMOD_CAPS) != 0);
        return static_cast<unsigned char>(upper ? letter : letter - 'A' + 'a');
    }
    return 0;
}

namespace {
int ButtonMask(Uint8 button)
{
    switch (button) {
    case SDL_BUTTON_LEFT: return kMouseLeft;
    case SDL_BUTTON_RIGHT: return kMouseRight;
    case SDL_BUTTON_MIDDLE: return kMouseMiddle;
    default: return 0;
    }
}
} // namespace

void SdlEventTranslator::Translate(const SDL_Event& e, std::vector<Event>& out)
{
    const unsigned char expectText = m_expectText;
    m_expectText = 0;
    const bool closeSent = m_closeSent;
    m_closeSent = false;

    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        int key = KeyNumberFromScancode(e.key.keysym.scancode);
        if (key == 0)
            return;
        int mod = e.key.keysym.mod;
        bool alt = (mod & KMOD_ALT) != 0;
        int vk = VirtualKeyFromScancode(e.key.keysym.scancode, e.key.keysym.sym, (mod & KMOD_NUM) != 0);
        if (e.type == SDL_KEYUP) {
            out.push_back(Event::Key(EventType::KeyUp, key, vk, alt));
            return;
        }
        out.push_back(Event::Key(EventType::KeyDown, key, vk, alt, e.key.repeat != 0));
        if (unsigned char c = CharacterForKeyDown(key, e.key.keysym.sym, mod)) {
            out.push_back(Event::Char(c));
            if (c >= 32)
                m_expectText = c;
        }
        if (key == kKeyApplication && !e.key.repeat)
            out.push_back(Event::Simple(EventType::ContextMenu));
        return;
    }
    case SDL_TEXTINPUT: {
        std::string text = Utf8ToCp1252(std::string_view(e.text.text, strnlen(e.text.text, sizeof e.text.text)), 0);
        if (expectText && text.size() == 1 && static_cast<unsigned char>(text[0]) == expectText)
            return;
        for (char c : text)
            if (c)
                out.push_back(Event::Char(static_cast<unsigned char>(c)));
        return;
    }
    case SDL_MOUSEMOTION:
        out.push_back(Event::Mouse(EventType::MouseMove, e.motion.x, e.motion.y));
        return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        int mask = ButtonMask(e.button.button);
        if (!mask)
            return;
        EventType type = EventType::MouseUp;
        if (e.type == SDL_MOUSEBUTTONDOWN)
            type = (e.button.clicks >= 2 && e.button.clicks % 2 == 0) ? EventType::MouseDoubleClick
                                                                       : EventType::MouseDown;
        out.push_back(Event::Mouse(type, e.button.x, e.button.y, mask));
        return;
    }
    case SDL_MOUSEWHEEL: {
        long delta = e.wheel.preciseY != 0.0f ? std::lround(e.wheel.preciseY * 120.0f)
                                              : static_cast<long>(e.wheel.y) * 120;
        if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
            delta = -delta;
        if (delta)
            out.push_back(Event::Wheel(static_cast<int>(delta)));
        return;
    }
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_EXPOSED: out.push_back(Event::Simple(EventType::Paint)); break;
        case SDL_WINDOWEVENT_MOVED:
            out.push_back(Event::Mouse(EventType::Moved, e.window.data1, e.window.data2));
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            out.push_back(Event::Mouse(EventType::Resized, e.window.data1, e.window.data2));
            break;
        case SDL_WINDOWEVENT_MINIMIZED: out.push_back(Event::Simple(EventType::Minimize)); break;
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED: out.push_back(Event::Simple(EventType::Restore)); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: out.push_back(Event::Simple(EventType::Activate)); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: out.push_back(Event::Simple(EventType::Deactivate)); break;
        case SDL_WINDOWEVENT_ENTER: out.push_back(Event::Simple(EventType::MouseEnter)); break;
        case SDL_WINDOWEVENT_CLOSE:
            out.push_back(Event::Simple(EventType::Close));
            m_closeSent = true;
            break;
        default: break;
        }
        return;
    case SDL_QUIT:
        // Closing the last window makes SDL say quit as well; a quit of its own (a signal) closes.
        if (!closeSent)
            out.push_back(Event::Simple(EventType::Close));
        return;
    default:
        return;
    }
}

} // namespace platform::sdl
