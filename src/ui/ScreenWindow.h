#pragma once
// The root of the window tree, as large as the display frame it draws on. So far it only holds
// and draws the windows opened on it; routing the mouse and keyboard down the tree comes with the
// rest of the screen window.
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/JWindow.h"

class CFrame;
class CFont;

class CScreenWindow : public CJWindow
{
public:
    // A non-null font becomes every window's default font. The window takes the focus.
    CScreenWindow(CFrame* target, CFont* font);
    ~CScreenWindow() override;

    bool IsScreenWindow() const override { return true; }
    // The screen keeps its size.
    void GrowToFitChild(CJWindow* child, int32_t margin) override;
    // Draws all windows onto the target frame (nothing while hidden or without a target).
    virtual void DrawScreen();

    CFrame* GetTarget() const { return m_target; }

private:
    CFrame* m_target;
    COffsetClippedProxyFrame m_drawingFrame;
};
