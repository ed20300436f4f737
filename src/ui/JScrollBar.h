#pragma once
// A vertical or horizontal bar with two arrow buttons, a track and a thumb sized in proportion to
// the part of a floating-point range it shows. It can drive the scroll offset of a window (the
// automatic scroll bars every window can have) and serves the list box.
//
// The rule a caller must know: the position always lies within [minimum, maximum]; the player's
// changes reach the parent as value-changed notifications and move the scrolled window, while
// SetRange and a quiet SetBarPosition move the thumb silently. A range below 0 acts as 0: the
// thumb fills the track and cannot be dragged.
#include "ui/JWindow.h"

class CScrollBarHook;

class CJScrollBar : public CJWindow
{
public:
    // The parts a press may hold.
    enum Part : int32_t
    {
        kPartNone = 0,
        kPartThumb = 1,
        kPartFirstArrow = 2,
        kPartSecondArrow = 3,
        kPartTrackBefore = 4,
        kPartTrackAfter = 5,
    };
    static constexpr int32_t kThickness = 15;
    static constexpr int32_t kMinimumThumb = 4;
    // Line steps per wheel notch.
    static constexpr int32_t kWheelLines = 12;

    CJScrollBar(CJWindow* parent, bool vertical);

    void Draw(COffsetClippedProxyFrame* frame) override;
    // Arrows step by a line, the track by a page, the thumb starts a drag; the press repeats while
    // held. Other buttons are taken and do nothing.
    bool OnMouseDown(int32_t button, const CIntPoint& point) override;
    bool OnMouseUp(int32_t button, const CIntPoint& point) override;
    // A held arrow or track press again, while the pointer stays on the part first pressed; a
    // held thumb, or a track press whose thumb has reached the pointer, does nothing.
    bool OnMouseRepeat(int32_t button, const CIntPoint& point) override;
    // Drags the thumb while it is pressed.
    bool OnMouseMove(const CIntPoint& point, const CIntPoint& delta, CSequence*& cursor) override;
    bool OnMouseWheel(int32_t notches, const CIntPoint& point) override;
    // Lays the parts out again; a bar of the window it scrolls keeps to that window's edge.
    void SetRect(const CIntRect& rect) override;
    CSequence* GetCursor(const CIntPoint& point) const override;

    virtual void DrawTrack(CFrameInterface* frame, CIntRect rect);
    virtual void DrawFirstArrow(CFrameInterface* frame);
    virtual void DrawSecondArrow(CFrameInterface* frame);
    virtual void DrawThumb(CFrameInterface* frame);
    virtual void LayOutParts();
    virtual void LayOutThumb();

    // Lays the thumb out and brings the position into the new range, without notification.
    void SetRange(float minimum, float maximum);
    // Nothing when the position, brought into the range, is the current one. Unless quiet, the
    // parent is told and the scrolled window moves.
    void SetBarPosition(float position, bool quiet);
    float GetBarPosition() const { return m_position; }
    float GetMinimum() const { return m_minimum; }
    float GetMaximum() const { return m_maximum; }
    void SetLineStep(float step) { m_lineStep = step; }
    void SetPageStep(float step) { m_pageStep = step; }
    float GetLineStep() const { return m_lineStep; }
    float GetPageStep() const { return m_pageStep; }
    // With auto-hide the bar hides itself while the range is below 1.
    void SetAutoHide(bool autoHide);
    // The window whose scroll offset follows the position (null: none); it must outlive the bar
    // or be its parent.
    void SetScrolledWindow(CJWindow* window) { m_scrolled = window; }
    // Cuts the bar's area (its screen rect shifted by offset) off the side of the rect where the
    // bar lies, when they overlap; answers whether the rect changed.
    bool ExcludeFromRect(CIntRect& rect, const CIntPoint& offset) const;

    bool IsVertical() const { return m_vertical; }
    float GetPixelsPerUnit() const { return m_pixelsPerUnit; }
    int32_t GetPressedPart() const { return m_pressed; }
    const CIntRect& GetTrackRect() const { return m_track; }
    const CIntRect& GetThumbRect() const { return m_thumb; }
    const CIntRect& GetFirstArrowRect() const { return m_firstArrow; }
    const CIntRect& GetSecondArrowRect() const { return m_secondArrow; }

    // The maker of the windows' automatic scroll bars; CJWindow::SetScrollBarHook takes it.
    static CScrollBarHook& GetAutomaticBarMaker();

private:
    // The part under the point (bar coordinates, scroll included).
    Part FindPart(const CIntPoint& point) const;
    CIntPoint ToLocal(const CIntPoint& screenPoint) const;
    // Draws one part: its face, a bevel, and the glyph (0: none) centred near its top.
    void DrawPart(CFrameInterface* frame, CIntRect rect, bool raised, uint8_t glyph);
    void DrawGlyph(CFrameInterface* frame, const CIntRect& rect, uint8_t glyph);
    // The parent is told and the scrolled window follows.
    void ReportMove();
    float Clamp(float position) const;

    CIntRect m_track;
    CIntRect m_firstArrow;
    CIntRect m_secondArrow;
    CIntRect m_thumb;
    bool m_vertical;
    float m_minimum = 0.0f;
    float m_maximum = 1000.0f;
    float m_position = 0.0f;
    float m_lineStep = 1.0f;
    float m_pageStep = 10.0f;
    float m_pixelsPerUnit = 0.0f;
    int32_t m_pressed = kPartNone;
    CJWindow* m_scrolled = nullptr;
    bool m_autoHide = false;
};
