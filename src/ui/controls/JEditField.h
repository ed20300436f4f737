#pragma once
// A one-line text entry: a cursor and a selection, insert or overwrite typing (one mode for all
// fields, flipped by Insert), the clipboard, and optional filters: digits only, upper case, a
// maximum length and a numeric range that a change must pass or be undone. Every accepted change
// reaches the parent as code 1 (value changed).
//
// The rule a caller must know: indices are byte positions in the Windows-1252 text; the selection
// runs between the anchor and the cursor, and SetText (or taking the focus) selects the whole
// text so that typing replaces it.
#include "ui/JWindow.h"

#include <string>

class CJEditField : public CJWindow
{
public:
    CJEditField(CJWindow* parent, const char* text);

    // Bevel, selection, text, blinking cursor, children; see JEditField.cpp.
    void Draw(COffsetClippedProxyFrame* frame) override;
    // The left button places the cursor (Shift extends the selection); true for it.
    bool OnMouseDown(int32_t button, const CIntPoint& point) override;
    // A left drag moves the cursor, growing the selection from the anchor.
    bool OnMouseDrag(const CIntPoint& point, const CIntPoint& delta, uint32_t buttons, CSequence*& cursor) override;
    // Characters and the editing keys; Tab, Enter, Escape, Up, Down and the rest are not taken.
    bool OnKey(int32_t key) override;
    // Taking the focus selects the whole text.
    void SetFocus(bool focused) override;
    // A flag of 1 performs the operation, anything else asks whether it is possible; each
    // answers whether it is (or was) possible.
    bool Cut(int32_t flag) override;
    bool Copy(int32_t flag) override;
    // The clipboard's characters are typed one by one, so every filter applies; control
    // characters are dropped and a tab becomes a blank.
    bool Paste(int32_t flag) override;
    // Always possible.
    bool Delete(int32_t flag) override;
    // Null is empty; the whole text becomes selected.
    void SetText(const char* text) override;
    CSequence* GetCursor(const CIntPoint& point) const override;
    // Whether the text may stand: outside a set range a non-empty text fails and "Player
    // Error.wav" plays.
    virtual bool Validate(const char* text);

    void SetEditable(bool editable) { m_editable = editable; }
    bool IsEditable() const { return m_editable; }
    void SetNumericOnly(bool numeric) { m_numericOnly = numeric; }
    // 0: no limit.
    void SetMaximumLength(uint8_t length) { m_maximumLength = length; }
    // Both 0: no range.
    void SetRange(float minimum, float maximum)
    {
        m_rangeMinimum = minimum;
        m_rangeMaximum = maximum;
    }
    void SetUpperCase(bool upperCase) { m_upperCase = upperCase; }
    void SetClipboardAllowed(bool allowed) { m_clipboardAllowed = allowed; }
    // Selects from the anchor to the cursor (both kept within the text).
    void Select(uint32_t anchor, uint32_t cursor);

    uint32_t GetCursorIndex() const { return m_cursor; }
    uint32_t GetAnchor() const { return m_anchor; }
    int32_t GetScrollOffset() const { return m_scrollOffset; }
    // The toolkit-wide typing mode.
    static bool IsInsertMode();
    static void SetInsertMode(bool insert);

private:
    struct Snapshot
    {
        std::string text;
        uint32_t cursor, anchor;
    };

    uint32_t GetLength() const;
    uint32_t SelectionStart() const { return m_anchor < m_cursor ? m_anchor : m_cursor; }
    uint32_t SelectionEnd() const { return m_anchor < m_cursor ? m_cursor : m_anchor; }
    // The text stored without touching the selection.
    void StoreText(const std::string& text);
    // Removes the selection, or the character at the cursor when none is selected (when
    // editable); the cursor and anchor go to where it was.
    void RemoveSelectionOrCharacter();
    // Typing one character; answers whether the key is taken.
    bool TypeCharacter(uint8_t character);
    // Validates the text against the snapshot: restores it on failure, else notifies the parent.
    void ConfirmChange(const Snapshot& before);
    // The cursor to the index; the anchor follows unless the selection grows.
    void MoveCursor(uint32_t index, bool extend);
    // The character index under a screen point.
    uint32_t IndexAtPoint(const CIntPoint& point) const;
    int32_t PrefixWidth(uint32_t count) const;
    // Keeps the cursor's pixel range [left, right) inside the inner width.
    void ScrollToShow(int32_t left, int32_t right, int32_t innerWidth);
    void DrawCursor(CFrameInterface* frame, const CIntRect& inner);

    uint32_t m_cursor = 0;
    uint32_t m_anchor = 0;
    int32_t m_scrollOffset = 0;
    bool m_numericOnly = false;
    uint8_t m_maximumLength = 0;
    float m_rangeMinimum = 0.0f;
    float m_rangeMaximum = 0.0f;
    bool m_upperCase = false;
    bool m_clipboardAllowed = true;
    bool m_editable = true;
};
