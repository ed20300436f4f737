#pragma once
// A static text: one line, several lines split at newlines, or a text word-wrapped to a fixed
// width. It sizes itself to its text, never shrinking through SetText, and a one-line text that
// the label cuts shows whole as a tooltip placed exactly over it.
//
// The rule a caller must know: the wrap width and the maximum height are plain fields; set them
// before the text, since only SetText and SetFont measure.
#include "ui/JWindow.h"

class CJThemePart;

class CJLabel : public CJWindow
{
public:
    static constexpr int32_t kNone = -1;

    CJLabel(CJWindow* parent, const char* text);
    static CJLabel* ConstructFromString(CJWindow* parent, const CSharedString& text);
    ~CJLabel() override;

    // Contents, the text in the window's font with the row spacing as inset, then the children.
    void Draw(COffsetClippedProxyFrame* frame) override;
    // Stores the text when it differs, then measures: see JLabel.cpp.
    void SetText(const char* text) override;
    // Measures afresh from a size of 0 x 0.
    void SetFont(CFont* font) override;
    // The cut text's tooltip over the label; else the base's answer.
    bool OnHover(const CIntPoint& point) override;
    virtual void SetJustification(int32_t justification) { m_justification = justification; }
    // The base's SetText and SetFont, without new sizing.
    virtual void SetTextOnly(const char* text) { CJWindow::SetText(text); }
    virtual void SetFontOnly(CFont* font) { CJWindow::SetFont(font); }

    bool IsMultiLine() const { return m_multiLine; }
    int32_t GetJustification() const { return m_justification; }

    // Pixels; kNone: no wrapping / no limit.
    int32_t m_wrapWidth = kNone;
    int32_t m_maximumHeight = kNone;

private:
    // The text's x in the label for the justification.
    int32_t GetTextX() const;
    void Measure();

    bool m_multiLine = false;
    int32_t m_justification = 0;  // left, centred, right
    CJThemePart* m_windowPart = nullptr;  // owned
};
