#pragma once
// SDL scancodes to the key numbers and virtual keys the engine uses. Pure functions over plain
// integers (SDL_Scancode and SDL_Keycode values), so that they can be checked without a display.

namespace platform::sdl {

// The key number of an SDL scancode; 0 for a key a PC keyboard does not have (not delivered).
int KeyNumberFromScancode(int scancode);

// The SDL scancode of a key number; 0 (SDL_SCANCODE_UNKNOWN) when none.
int ScancodeFromKeyNumber(int keyNumber);

// The Windows virtual-key code of a key. Letters follow the keyboard layout (keycode), the
// rest the key's position; keypad keys with Num Lock off give their navigation keys.
int VirtualKeyFromScancode(int scancode, int keycode, bool numLock);

} // namespace platform::sdl
