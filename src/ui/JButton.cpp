// Construction, radio groups, clicks, images and tooltips of the push button.
#include "ui/JButton.h"

#include "graphics/Frame.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "objects/DataNames.h"
#include "objects/Polygon2D.h"
#include "sound/SoundList.h"
#include "ui/Callback.h"
#include "ui/JThemeButtonPart.h"
#include "ui/SkinTheme.h"
#include "ui/WindowWatch.h"

namespace {

constexpr const char* kActionSound = dataname::sound::kButtonAction;

} // namespace

CJButton::CJButton(CJWindow* parent, const char* text, CJButton* groupLeader) : CJWindow(parent, text)
{
    SetUp(groupLeader);
}

CJButton::CJButton(CJWindow* parent, const CSharedString& text, CJButton* groupLeader) : CJWindow(parent, text)
{
    SetUp(groupLeader);
}

CJButton* CJButton::ConstructFromString(CJWindow* parent, const CSharedString& text, CJButton* groupLeader)
{
    return new CJButton(parent, text, groupLeader);
}

void CJButton::SetUp(CJButton* groupLeader)
{
    m_framed = true;
    m_part = m_theme ? m_theme->CreateButtonPart(this) : nullptr;
    PrepareThemePart();
    // A button is drawn only inside its rect: without a size of its own it would stay invisible
    // wherever its owner sets none (or only a width), so it starts at its theme's size.
    if (m_part)
        m_part->AutoSize();
    if (!groupLeader) {
        m_tabStop = true;
    } else if (groupLeader != this) {
        groupLeader->m_tabStop = false;
        // A leader alone becomes a circle of two.
        m_nextMember = groupLeader->m_nextMember ? groupLeader->m_nextMember : groupLeader;
        groupLeader->m_nextMember = this;
    }
    m_ownShortcut = true;
}

CJButton::~CJButton()
{
    // Members may be deleted one at a time (a dialog that rebuilds a row), so the circle is closed
    // around this one rather than left pointing at freed memory.
    LeaveGroup();
    delete m_action;
    delete m_hitPolygon;
    if (m_ownsImage)
        delete m_image;
    delete m_part;
}

void CJButton::LeaveGroup()
{
    if (!m_nextMember)
        return;
    CJButton* previous = GetPreviousGroupMember();
    if (previous == m_nextMember)
        previous->m_nextMember = nullptr;  // the last one left is no group any more
    else if (previous)
        previous->m_nextMember = m_nextMember;
    m_nextMember = nullptr;
}

CJButton* CJButton::GetPreviousGroupMember() const
{
    if (!m_nextMember)
        return nullptr;
    CJButton* member = m_nextMember;
    while (member->m_nextMember && member->m_nextMember != this)
        member = member->m_nextMember;
    return member->m_nextMember == this ? member : nullptr;
}

void CJButton::Draw(COffsetClippedProxyFrame* frame)
{
    if (m_part && frame)
        m_part->Draw(frame);
    m_flash = false;
    CJWindow::Draw(frame);
}

bool CJButton::HandleThemeMessage(CBroadcastMessage* message)
{
    return m_part && m_part->HandleMessage(message);
}

void CJButton::SetChecked(int32_t checked)
{
    m_checked = checked ? 1 : 0;
    if (!m_nextMember)
        return;
    if (!m_checked) {
        m_tabStop = false;
        return;
    }
    m_tabStop = true;
    for (CJButton* member = m_nextMember; member && member != this; member = member->m_nextMember)
        if (member->IsChecked())
            member->SetChecked(0);
}

bool CJButton::WasClicked()
{
    const bool clicked = m_clicked;
    m_clicked = false;
    return clicked;
}

void CJButton::Click()
{
    PlayClickSound();
    OnClicked();
}

void CJButton::OnClicked()
{
    m_clicked = true;
    if (IsShown())
        m_flash = true;
    CWindowWatch self(this);
    if (m_action)
        m_action->Invoke();
    if (self.IsAlive())
        NotifyParent(kCommandClicked);
}

void CJButton::PlayClickSound()
{
    CSoundList::GetInstance().PlaySound(kActionSound);
}

void CJButton::UpdateState()
{
    if (m_action && m_action->ControlsEnabled())
        SetEnabled(m_action->IsAvailable());
    CJWindow::UpdateState();
}

void CJButton::SetAction(CCallback* action)
{
    if (action == m_action)
        return;
    delete m_action;
    m_action = action;
}

void CJButton::SetImage(CFrame* image, bool imageOnly)
{
    m_imageOnly = imageOnly;
    if (m_ownsImage && m_image != image)
        delete m_image;
    m_ownsImage = false;
    m_image = image;
    if (imageOnly) {
        m_framed = false;
        m_rowSpacing = 0;
    }
    if (image) {
        SetSize(static_cast<int32_t>(image->GetWidth()) + 2 * m_rowSpacing,
                static_cast<int32_t>(image->GetHeight()) + 2 * m_rowSpacing);
        if (m_parent)
            m_parent->GrowToFitChild(this, kDefaultOffset);
    }
    if (m_toolTip.IsEmpty() && !m_text.IsEmpty())
        SetToolTipText(m_text.CStr(), m_shortcutPosition == 255 ? -1 : m_shortcutPosition);
}

void CJButton::SetToolTip(const CSharedString* text)
{
    SetToolTipText(text ? text->CStr() : nullptr, -1);
}

void CJButton::SetToolTipText(const char* text, int32_t highlight)
{
    m_toolTip = text ? text : "";
    m_toolTipHighlight = highlight;
}

void CJButton::SetHitPolygon(CPolygon2D* polygon)
{
    if (polygon == m_hitPolygon)
        return;
    delete m_hitPolygon;
    m_hitPolygon = polygon;
}

bool CJButton::HitTest(const CIntPoint& point) const
{
    if (!m_hitPolygon)
        return true;
    return m_hitPolygon->ContainsPoint(static_cast<float>(point.m_x - m_screenRect.m_left),
                                       static_cast<float>(point.m_y - m_screenRect.m_top));
}

bool CJButton::OnHover(const CIntPoint& point)
{
    if (HitTest(point) && !m_toolTip.IsEmpty()) {
        ShowTooltipUnderlined(m_toolTipHighlight, m_toolTip.CStr(), -1, -1);
        return true;
    }
    return CJWindow::OnHover(point);
}
