#pragma once
// A dialog that shows one picture and is sized to it. It keeps the dialog's keys (Enter, Escape,
// focus moves) but never moves under a drag.
//
// The rule a caller must know: the frame is not owned; it must outlive the window.
#include "ui/controls/JDialog.h"

class CFrame;

class CJPictureWindow : public CJDialog
{
public:
    // Sized to the frame when there is one; without it the window keeps its caption's size.
    CJPictureWindow(CJWindow* parent, CFrame* frame, int32_t x, int32_t y);
    ~CJPictureWindow() override;

    // The caption, then the frame at (x, y) through the default blend mode, then the children.
    void Draw(COffsetClippedProxyFrame* frame) override;
    // The window base's drag: a press never moves the window.
    bool OnMouseDrag(const CIntPoint& point, const CIntPoint& delta, uint32_t buttons, CSequence*& cursor) override;

    CFrame* GetFrame() const { return m_frame; }

private:
    CFrame* m_frame;
    int32_t m_x;
    int32_t m_y;
};
