#pragma once
// Turns SDL events into the platform's events: keys into key numbers and virtual keys, typed text
// into Windows-1252 characters (with the control codes a Windows keyboard delivers), mouse buttons,
// double clicks and the wheel, and window state changes. Works on the event structure alone, so it
// runs without a display.
#include "platform/Events.h"

#include <vector>

union SDL_Event;

namespace platform::sdl {

class SdlEventTranslator
{
public:
    // Appends the events that e stands for (none for events the engine does not use).
    void Translate(const SDL_Event& e, std::vector<Event>& out);

    // The character a key press types by itself (control codes, left Alt+letter); 0 for none.
    // mod is an SDL_Keymod mask.
    static unsigned char CharacterForKeyDown(int keyNumber, int keycode, int mod);

private:
    unsigned char m_expectText = 0;   // Alt+letter already typed: drop SDL's own copy of it
    bool m_closeSent = false;         // the window's close already came; SDL_QUIT repeats it
};

} // namespace platform::sdl
