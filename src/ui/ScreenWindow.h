#pragma once
// The top-level window of the toolkit, as large as the display frame it draws on. The window tree
// it will hold comes with the toolkit; for now it is an empty screen.
#include "ui/JWindow.h"

class CFrame;
class CFont;

class CScreenWindow : public CJWindow
{
public:
    // The font becomes every window's default font.
    CScreenWindow(CFrame* target, CFont* font);

    // Draws all windows onto the target frame.
    virtual void Draw() {}

    CFrame* GetTarget() const { return m_target; }
    static CFont* GetDefaultFont() { return s_defaultFont; }
    static void SetDefaultFont(CFont* font) { s_defaultFont = font; }

private:
    CFrame* m_target;
    static CFont* s_defaultFont;
};
