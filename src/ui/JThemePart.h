#pragma once
// The base of the small behaviour objects a theme makes for one window (a button's face, a static
// text's font, a caption), so that the window classes never ask which theme is in use.
//
// The rule a caller must know: a part is owned by the window it was made for and is deleted by
// that window's destructor; it must not outlive it.
#include "objects/BroadcastMessage.h"

class CJWindow;

class CJThemePart
{
public:
    explicit CJThemePart(CJWindow* window) : m_window(window) {}
    virtual ~CJThemePart() = default;
    CJThemePart(const CJThemePart&) = delete;
    CJThemePart& operator=(const CJThemePart&) = delete;

    // Whether the part took the message; the base takes none.
    virtual bool HandleMessage(CBroadcastMessage* message)
    {
        (void)message;
        return false;
    }

    CJWindow* GetWindow() const { return m_window; }

protected:
    CJWindow* m_window;
};
