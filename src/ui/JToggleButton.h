#pragma once
// A check box: a square box, crossed while checked, beside the text; optionally tied to a byte
// that mirrors the checked state. The button sizes itself to its text and box.
//
// The rule a caller must know: a linked byte must outlive the button (or be unlinked with null);
// clicks write 1 or 0 into it and play no sound.
#include "ui/JButton.h"

class CJToggleButton : public CJButton
{
public:
    CJToggleButton(CJWindow* parent, const char* text, CJButton* groupLeader);

    // With an image as a push button; else the label and the box, translucent while disabled.
    void Draw(COffsetClippedProxyFrame* frame) override;
    // The base's text, then the size: text width (of "XXX" for an empty text) + box + 1 by the
    // larger of line height + 2 and the box.
    void SetText(const char* text) override;
    // Nothing for a checked radio member; else the linked byte, the state and the click, silently.
    void Click() override;

    virtual void DrawBox(CFrameInterface* frame, int32_t x, int32_t y);
    virtual void DrawHotBox(CFrameInterface* frame, int32_t x, int32_t y);
    virtual void DrawPlainBox(CFrameInterface* frame, int32_t x, int32_t y);
    virtual void DrawCross(CFrameInterface* frame, int32_t x, int32_t y);
    virtual void DrawLabel(CFrameInterface* frame);

    // The byte that mirrors the state (null: none); a linked byte sets the state at once.
    void SetLinkedVariable(uint8_t* variable);
    // The box after the text instead of before it.
    void SetBoxOnRight(bool onRight);
    int32_t GetBoxSize() const { return m_boxSize; }
    // Pixels between the box and the text: a font unit and one, so that no glyph touches the box.
    int32_t GetBoxGap() const;

private:
    void SizeToText();

    bool m_boxOnRight = false;
    uint8_t* m_linkedVariable = nullptr;
    int32_t m_boxSize = 0;
};
