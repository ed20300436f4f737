#pragma once
// The one keyboard state, fed by the message pump: a held and a pressed-since-taken bit for every
// key number (the scan code, plus 256 for extended keys), a small type-ahead ring of characters and
// control codes, and one optional character filter.
#include "foundation/SharedString.h"

#include <cstdint>

class CKeyboard
{
public:
    static constexpr int kKeyCount = 512;
    static constexpr int kRingSize = 10;   // holds at most 9 unread characters

    // Offered every character first; true consumes it.
    using CharFilter = bool (*)(void* context, int character);

    constexpr CKeyboard() = default;

    void OnKeyDown(int key);
    void OnKeyUp(int key);   // the pressed bit stays until taken
    void OnChar(int character);

    // The oldest unread character, removed; 0 when there is none. altHeld (when given) tells
    // whether an Alt key was held when the character was typed: by the time it is read, Alt may
    // have been let go.
    int ReadChar(bool* altHeld = nullptr);

    // Unless noPump, the operations below first pump the window messages so that queued input is
    // applied before it is cleared.
    void FlushTypeAhead(bool noPump = false);
    void ClearAll(bool noPump = false);
    void ClearPressed(bool noPump = false);
    void ClearHeld(bool noPump = false);

    // Key 0 means no key and always counts as held.
    bool IsKeyDown(int key) const;
    // Held or pressed since last taken; the pressed bit is cleared.
    bool TakeKey(int key);
    // The lowest key number held or pressed (its pressed bit cleared); 0 when none.
    int TakeAnyKey();
    // The lowest key number pressed since last taken (its pressed bit cleared); 0 when none.
    int TakeAnyKeyPress();
    // Clears the pressed bit of every pressed key from the lowest up to the first one that is not
    // except, and returns that one; 0 when there is none.
    int TakeKeyPressExcept(int except);

    // The key's name as the system shows it, else the localised "No Key Mapping".
    static CSharedString GetKeyName(int key);

    void SetFilter(CharFilter filter, void* context);
    CharFilter GetFilter() const { return m_filter; }

    int GetTypeAheadCount() const { return static_cast<int>(m_count); }

private:
    static constexpr uint32_t kHeld = 1;
    static constexpr uint32_t kPressed = 2;

    static bool IsValidKey(int key) { return key > 0 && key < kKeyCount; }

    uint32_t m_keys[kKeyCount] = {};
    uint8_t m_ring[kRingSize] = {};
    bool m_ringAlt[kRingSize] = {};
    unsigned m_count = 0;
    unsigned m_write = 0;
    unsigned m_read = 0;
    CharFilter m_filter = nullptr;
    void* m_filterContext = nullptr;
};

// The system's name of a key number in a static buffer; null when the system has none.
const char* GetKeyNameFromScanCode(int key);

// Seconds before a held key starts repeating (0.25 to 1.0), and between repeats (1/30 to 0.4).
float GetKeyRepeatDelay();
float GetKeyRepeatInterval();

// The global keyboard (constant-initialised, so static initialisers may use it).
extern constinit CKeyboard g_keyboard;
