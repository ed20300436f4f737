#pragma once
// A horizontal groove with a thumb that chooses one of a number of integer positions, by drag,
// the arrow keys, Home and End, and the wheel. The options dialogs use it for volumes and display
// settings.
//
// The rule a caller must know: the value is always within 0 .. count - 1 (a count of 0 counts as
// 1), and the parent hears of every change the player makes by a value-changed notification.
#include "ui/JWindow.h"

class CJSlider : public CJWindow
{
public:
    // A step of 0 moves about a twentieth of the range per key.
    CJSlider(CJWindow* parent, uint32_t positionCount, uint32_t step);

    void Draw(COffsetClippedProxyFrame* frame) override;
    // The outline one pixel outside the thumb.
    void DrawFocusFrame(CFrameInterface* frame, const CColor& color) override;
    // A left drag moves the thumb to the pointer; a slider with no room beside its thumb ignores it.
    bool OnMouseDrag(const CIntPoint& point, const CIntPoint& delta, uint32_t buttons, CSequence*& cursor) override;
    // Away from the player (positive) acts as Right, toward as Left.
    bool OnMouseWheel(int32_t notches, const CIntPoint& point) override;
    // Home, End, Left and Right; other keys are not taken.
    bool OnKey(int32_t key) override;
    CSequence* GetCursor(const CIntPoint& point) const override;

    // Stores the value brought into range; the parent is told when it changed and quiet is false.
    virtual void SetValue(int32_t value, bool quiet);
    virtual int32_t GetValue() const { return m_value; }

    uint32_t GetPositionCount() const { return m_count; }
    uint32_t GetStep() const { return m_step; }
    // The thumb's left edge in the slider's coordinates.
    int32_t GetThumbX() const;
    int32_t GetThumbWidth() const;

private:
    // The room kept at either end of the groove: the thumb travels between, so that at the ends of
    // the range the groove's end (its bevel, and the thumb's outline beside it) still shows. None
    // when the slider is too narrow for it.
    int32_t GetEndRoom() const;
    // The width the thumb can travel; 0 or less when the slider is narrower than its thumb.
    int32_t GetFreeLength() const;

    int32_t m_value = 0;
    uint32_t m_count;
    uint32_t m_step;
};
