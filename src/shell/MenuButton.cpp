#include "shell/MenuButton.h"

#include "app/Mouse.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "graphics/SequenceCollection.h"
#include "objects/DataNames.h"
#include "sound/SoundList.h"
#include "ui/JAnimator.h"
#include "ui/WindowToolkitState.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t kArm = 0;
constexpr uint32_t kPanel = 1;
// Frame steps of 1/60 s.
constexpr float kStep = 1.0f / 60.0f;

CSequence* Look(const char* name)
{
    return CSequenceCollection::GetInstance().FindSequence(name);
}

} // namespace

CMenuButton::CMenuButton(CJWindow* parent, const char* text)
    : CSpriteButton(parent, text),
      m_armNormal(Look("Interface/Menu Button/Arm Normal")),
      m_armHover(Look("Interface/Menu Button/Arm Hover")),
      m_panelFlip(Look("Interface/Menu Button/Panel Flip")),
      m_panelPressed(Look("Interface/Menu Button/Panel Pressed")),
      m_panelNormal(Look("Interface/Menu Button/Panel Normal")),
      m_panelHover(Look("Interface/Menu Button/Panel Hover"))
{
    SetSize(kWidth, kHeight);
    GetSprite().AddSlot(m_armNormal);
    GetSprite().AddSlot(m_panelFlip);
}

void CMenuButton::Show(uint32_t slot, CSequence* sequence, CSpriteButton& button)
{
    CAnimationSlot* s = button.GetSprite().GetSlot(slot);
    if (s && s->GetSequence() != sequence) {
        s->SetSequence(sequence);
        s->SetPhase(0.0f);
    }
}

bool CMenuButton::IsFlipping() const
{
    const CAnimationSlot* panel = GetSprite().GetSlot(kPanel);
    return panel && panel->GetSequence() == m_panelFlip;
}

bool CMenuButton::HasAnimator() const
{
    for (CJWindow* child = GetFrontChild(); child; child = child->GetNextSibling())
        if (dynamic_cast<CJAnimator*>(child))
            return true;
    return false;
}

void CMenuButton::Draw(COffsetClippedProxyFrame* frame)
{
    // The pointer lights the button only where it would reach it: not through a message or
    // dialog in front.
    const bool over = IsFirstUnderPointer(g_mouse.GetPositionPoint());
    const bool hovered =
        over || (HasFocus() && CWindowToolkitState::Get().keyboardNavigation && !IsBehindModalWindow());
    if (hovered && !m_hovered)
        CSoundList::GetInstance().PlaySound(dataname::sound::kButtonHover);
    m_hovered = hovered;
    Show(kArm, hovered ? m_armHover : m_armNormal, *this);
    if (!IsFlipping())
        Show(kPanel, hovered ? (IsPressed() ? m_panelPressed : m_panelHover) : m_panelNormal, *this);
    CSpriteButton::Draw(frame);
}

void CMenuButton::Update(float seconds)
{
    // The slots step in sixtieths of a second, as sprites do in play.
    const int steps = std::max(1, static_cast<int>(std::lround(seconds / kStep)));
    bool flipDone = false;
    for (int i = 0; i < steps; ++i) {
        if (CAnimationSlot* arm = GetSprite().GetSlot(kArm))
            arm->AdvanceLooping();
        if (CAnimationSlot* panel = GetSprite().GetSlot(kPanel)) {
            if (IsFlipping())
                flipDone = panel->AdvanceOnce();
            else
                panel->AdvanceLooping();
        }
    }
    if (IsFlipping() && flipDone && !HasAnimator()) {
        Show(kPanel, m_panelNormal, *this);
        ShowText(true);
    }
    CSpriteButton::Update(seconds);
}
