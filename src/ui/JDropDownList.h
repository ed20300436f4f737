#pragma once
// The list a drop-down box opens on the root window: modal, drawn raised over the window
// texture, closing on a choice, on Escape, on a press outside it or when it loses the focus.
//
// The rule a caller must know: it never deletes itself; closing goes through its owner's
// CloseDropDown, which forgets it and lets the root delete it at its next update. Its
// notifications go to the owner, not to its parent (the root).
#include "ui/JListBox.h"

class CJDropDownBox;

class CJDropDownList : public CJListBox
{
public:
    // Rows (at most 14, 10 more in tree mode) and height come from the model; not yet linked.
    CJDropDownList(CJDropDownBox* owner, CTreeModel* source, uint32_t sortMode);
    // An owner that still knows the list forgets it.
    ~CJDropDownList() override;

    void Draw(COffsetClippedProxyFrame* frame) override;
    bool OnMouseDown(int32_t button, const CIntPoint& point) override;
    bool OnMouseUp(int32_t button, const CIntPoint& point) override;
    bool OnKey(int32_t key) override;
    // Losing the focus closes the list.
    void SetFocus(bool focused) override;
    void NotifyParent(int32_t code) override;

    // The owner forgets the list: it no longer reports to it, shows or blocks input.
    void Detach();
    CJDropDownBox* GetOwner() const { return m_owner; }

    static constexpr uint32_t kMaxRows = 14;
    static constexpr uint32_t kTreeExtraRows = 10;

private:
    // Closes through the owner; with confirm the owner sends code 0.
    void Finish(bool restore, bool confirm);

    CJDropDownBox* m_owner;
};
