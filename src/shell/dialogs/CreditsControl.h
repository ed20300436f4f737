#pragma once
// The window the credits scroll in: a bevel round the whole control and, inside it, the scrolling
// text over the control's background colour. It redraws at every frame, so the scroll moves on.
#include "shell/dialogs/CreditsText.h"
#include "ui/JWindow.h"

class CJCreditsControl : public CJWindow
{
public:
    // The text is read from the file now, in the parent's font (a missing file scrolls nothing).
    CJCreditsControl(CJWindow* parent, const char* fileName);

    void Draw(COffsetClippedProxyFrame* frame) override;
    // The children are walked only while the control shows.
    void WalkVisibleChildren() override;

    CCreditsText& GetCredits() { return m_text; }

private:
    CCreditsText m_text;
    bool m_bevel = true;
};
