#include "ui/controls/JDialog.h"

#include "ui/UiKeys.h"
#include "ui/WindowWatch.h"

#include <utility>

CJDialog::CJDialog(CJWindow* parent, const char* caption) : CJTitledWindow(parent, caption)
{
    SetDraggable(false);
}

CJDialog::CJDialog(CJWindow* parent, const CSharedString& caption) : CJDialog(parent, caption.CStr())
{
}

CJDialog::~CJDialog()
{
    if (CJDialog* covered = std::exchange(m_stackedDialog, nullptr)) {
        if (m_parent) {
            m_parent->AddChildOnTop(covered, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, 0);
            covered->SetRect(m_stackedRect);
            covered->Show(true, false);
        } else {
            delete covered;
        }
    }
    // The titled window's destructor hides the tooltip next.
}

bool CJDialog::OnKey(int32_t key)
{
    CWindowWatch self(this);
    if (CJTitledWindow::OnKey(key))
        return true;
    if (!self.IsAlive())
        return false;
    switch (key) {
    case uikey::kUp:
    case uikey::kLeft:
        return FocusPrevTabStop();
    case uikey::kDown:
    case uikey::kRight:
        return FocusNextTabStop();
    case uikey::kEnter:
        if (!m_frontChild)
            return false;
        if (!m_frontChild->Activate() && self.IsAlive() && m_defaultButton)
            m_defaultButton->Activate();
        return true;
    case uikey::kControlSetAction:
        if (!m_defaultButton)
            return false;
        m_defaultButton->Activate();
        return true;
    case uikey::kEscape:
        if (!m_cancelButton)
            return false;
        m_cancelButton->Activate();
        return true;
    default:
        return false;
    }
}

void CJDialog::DiscardStack()
{
    if (CJDialog* covered = std::exchange(m_stackedDialog, nullptr)) {
        covered->DiscardStack();
        delete covered;
    }
}

bool CJDialog::CloseWithStack()
{
    DiscardStack();
    return Close();
}

void CJDialog::Cover(CJDialog* dialog, const CIntRect& rect)
{
    if (m_stackedDialog != dialog)
        delete std::exchange(m_stackedDialog, dialog);
    m_stackedRect = rect;
}

void CJDialog::ReplaceWith(CJDialog* next, bool centre)
{
    HandOver(next, false, centre);
}

void CJDialog::ReplaceWithNow(CJDialog* next, bool centre)
{
    HandOver(next, true, centre);
}

CJWindow* CJDialog::TakeOver(CJDialog* next)
{
    if (!next || next == this)
        return nullptr;
    if (!m_parent) {
        delete next;
        return nullptr;
    }
    next->SetModal(IsModal());
    return m_parent;
}

void CJDialog::HandOver(CJDialog* next, bool now, bool centre)
{
    CJWindow* parent = TakeOver(next);
    if (!parent)
        return;
    next->Cover(std::exchange(m_stackedDialog, nullptr), m_stackedRect);
    if (now)
        Close();  // this object is gone from here on
    else
        RequestClose();
    parent->AddChildOnTop(next, centre ? kPlaceCentred : kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, 0);
}

void CJDialog::OpenSubDialog(CJDialog* next, bool centre)
{
    CJWindow* parent = TakeOver(next);
    if (!parent)
        return;
    parent->RemoveChild(this);
    parent->AddChildOnTop(next, centre ? kPlaceCentred : kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, 0);
    next->Cover(this, GetRect());
    Show(false, false);
}
