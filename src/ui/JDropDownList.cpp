// The open list of a drop-down box.
#include "ui/JDropDownList.h"

#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/JDropDownBox.h"
#include "ui/WindowWatch.h"

#include <algorithm>

namespace {

enum : int32_t
{
    kKeyTab = 9,
    kKeyEnter = 13,
    kKeyF4 = 20,
    kKeyEscape = 27,
};

} // namespace

CJDropDownList::CJDropDownList(CJDropDownBox* owner, CTreeModel* source, uint32_t sortMode)
    : CJListBox(owner, source, 0, sortMode), m_owner(owner)
{
    SetTransparent(false);
    SetModal(true);
    SetTabStop(false);
    SetFramed(false);
    const uint32_t rows = std::min(GetRowCount() + (IsTree() ? kTreeExtraRows : 0), kMaxRows);
    const int32_t height = GetRowHeight() * static_cast<int32_t>(rows) + 2 * GetFontUnit() + 2;
    SetLayoutEnabled(false);
    SetSize(owner ? owner->GetWidth() : GetWidth(), height);
    SetLayoutEnabled(true);
    SetVisibleRowLimit(rows);
}

CJDropDownList::~CJDropDownList()
{
    if (m_owner)
        m_owner->ForgetDropDown(this);
}

void CJDropDownList::Detach()
{
    m_owner = nullptr;
    SetModal(false);
    Show(false, false);
    RequestClose();
}

void CJDropDownList::Finish(bool restore, bool confirm)
{
    // The owner is kept here: closing makes the list forget it.
    CJDropDownBox* owner = m_owner;
    if (!owner)
        return;
    CWindowWatch watch(owner);
    owner->CloseDropDown(restore);
    if (watch.IsAlive())
        owner->ActivateBox();
    if (confirm && watch.IsAlive())
        owner->NotifyParent(kCommandClicked);
}

void CJDropDownList::Draw(COffsetClippedProxyFrame* frame)
{
    if (!frame)
        return;
    if (!IsTransparent())
        FillWithTexture(frame, GetBackgroundTexture(), {0, 0, GetWidth(), GetHeight()}, 0, 0);
    CWindowWatch self(this);
    DrawRows(frame, true);
    CJWindow::Draw(frame);
    if (self.IsAlive())
        StepSmoothScroll();
}

bool CJDropDownList::OnMouseDown(int32_t button, const CIntPoint& point)
{
    if (IsHit(point))
        return CJListBox::OnMouseDown(button, point);
    Finish(true, false);
    return true;
}

bool CJDropDownList::OnMouseUp(int32_t button, const CIntPoint& point)
{
    CWindowWatch self(this);
    const bool taken = CJWindow::OnMouseUp(button, point);
    if (!self.IsAlive() || button != 0 || !IsHit(point) || GetSelectedRow() < 0 || !m_owner)
        return taken;
    const auto row = static_cast<uint32_t>(GetSelectedRow());
    if (GetRow(row).hasChildren) {
        if (GetRow(row).open)
            Collapse(row);
        else
            Expand(row);
        return true;
    }
    Finish(false, true);
    return true;
}

bool CJDropDownList::OnKey(int32_t key)
{
    if (key == kKeyTab || ((key == kKeyEnter || key == kKeyF4) && GetSelectedRow() >= 0)) {
        Finish(false, true);
        return true;
    }
    if (key == kKeyEscape) {
        Finish(true, false);
        return true;
    }
    return CJListBox::OnKey(key);
}

void CJDropDownList::SetFocus(bool focused)
{
    const bool losing = HasFocus() && !focused;
    CJListBox::SetFocus(focused);
    if (losing && m_owner)
        m_owner->CloseDropDown(false);
}

void CJDropDownList::NotifyParent(int32_t code)
{
    if (m_owner)
        m_owner->OnCommand(this, code);
}
