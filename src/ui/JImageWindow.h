#pragma once
// A window that shows an animated image sequence (a logo, an icon) found by name in an image
// collection, looping at the sequence's frame rate, with an optional tooltip. It takes no input.
//
// The rule a caller must know: the sequence belongs to its collection, which must outlive the
// window; without a sequence the window draws nothing and keeps its size.
#include "foundation/SharedString.h"
#include "ui/JWindow.h"

class CResourceCollection;
class CSequence;

class CJImageWindow : public CJWindow
{
public:
    CJImageWindow(CJWindow* parent, CSequence* sequence, const char* text);
    // The collection's item of that name, loaded on first use; the sequence list when the
    // collection is null.
    CJImageWindow(CJWindow* parent, const char* imageName, CResourceCollection* collection);

    // The frame time runs on and wraps (once) past the last frame; children are not updated.
    void Update(float seconds) override;
    // The frame at the rounded frame time at (0, 0) with the sequence's blitter; nothing else.
    void Draw(COffsetClippedProxyFrame* frame) override;
    // With a tooltip it shows below the pointer and the hover is taken.
    bool OnHover(const CIntPoint& point) override;

    void SetTooltip(const char* text) { m_tooltip = text ? text : ""; }
    CSequence* GetSequence() const { return m_sequence; }
    float GetFrameTime() const { return m_frameTime; }

private:
    void SetUp();

    CSequence* m_sequence = nullptr;
    float m_frameTime = 0.0f;
    float m_frameRate = 0.0f;
    CSharedString m_tooltip;
};
