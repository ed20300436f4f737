#pragma once
// A movable top-level window with a caption drawn by its theme and an optional close button. It
// swallows every press and hover on itself, so nothing behind it reacts, and counts as active
// while it is its parent's focused window.
//
// The rule a caller must know: the close button closes the window at once, from inside its own
// click; code that handles the window's commands must not touch it after a click of that button.
#include "ui/JWindow.h"

class CJButton;
class CJThemeCaptionPart;

class CJTitledWindow : public CJWindow
{
public:
    CJTitledWindow(CJWindow* parent, const char* caption);
    CJTitledWindow(CJWindow* parent, const CSharedString& caption);
    ~CJTitledWindow() override;

    // Caption and contents, in the toolkit-wide order (caption first unless it is set over them).
    void Draw(COffsetClippedProxyFrame* frame) override;
    // A double click no child takes is, on the window itself, taken as a normal press (keepPress).
    bool OnDoubleClick(int32_t button, const CIntPoint& point, bool& keepPress) override;
    // True for any press inside the window.
    bool OnMouseDown(int32_t button, const CIntPoint& point) override;
    bool OnMouseUp(int32_t button, const CIntPoint& point) override;
    // A left drag moves a draggable window; a drag that left the window counts only when the
    // press was on it.
    bool OnMouseDrag(const CIntPoint& point, const CIntPoint& delta, uint32_t buttons, CSequence*& cursor) override;
    // A click of the close button closes the window; the rest goes to the parent.
    void OnCommand(CJWindow* sender, int32_t code) override;
    // Forwarded to the front child; false without children.
    bool Cut(int32_t flag) override;
    bool Copy(int32_t flag) override;
    bool Paste(int32_t flag) override;
    bool Delete(int32_t flag) override;
    // Its own focus flag.
    bool IsActive() const override;
    // The close button stays in the top-right corner.
    void SetRect(const CIntRect& rect) override;
    // Forgets the close button when it goes.
    void RemoveChild(CJWindow* child) override;
    // 0 without a caption text.
    int32_t GetCaptionHeight() const override;
    CSequence* GetCursor(const CIntPoint& point) const override;
    // Hides the tooltip and takes the hover.
    bool OnHover(const CIntPoint& point) override;
    // The theme's caption part draws the caption (nothing when the theme has none).
    virtual void DrawCaption(COffsetClippedProxyFrame* frame);

    // Adds the close button once; later calls do nothing.
    void AddCloseButton();
    CJButton* GetCloseButton() const { return m_closeButton; }
    void SetDraggable(bool draggable) { m_draggable = draggable; }
    bool IsDraggable() const { return m_draggable; }
    int32_t GetMinimumWidth() const { return m_minimumWidth; }
    int32_t GetMinimumHeight() const { return m_minimumHeight; }

private:
    void SetUpTitled();

    CJButton* m_closeButton = nullptr;  // owned as a child
    bool m_draggable = true;
    int32_t m_minimumWidth = 0;
    int32_t m_minimumHeight = 0;
    CJThemeCaptionPart* m_captionPart = nullptr;
};
