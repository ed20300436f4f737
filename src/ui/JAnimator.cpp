#include "ui/JAnimator.h"

#include "objects/DataNames.h"
#include "sound/SoundList.h"

#include <algorithm>
#include <cmath>

CJAnimator::CJAnimator() : CJWindow(nullptr, "Animator")
{
}

void CJAnimator::SlideFrom(int32_t dx, int32_t dy)
{
    CJWindow* parent = GetParent();
    if (!parent)
        return;
    m_goalX = static_cast<float>(parent->GetRect().m_left);
    m_goalY = static_cast<float>(parent->GetRect().m_top);
    parent->SetPosition(ClampToInt(static_cast<int64_t>(parent->GetRect().m_left) + dx),
                        ClampToInt(static_cast<int64_t>(parent->GetRect().m_top) + dy));
    m_currentX = static_cast<float>(parent->GetRect().m_left);
    m_currentY = static_cast<float>(parent->GetRect().m_top);
}

void CJAnimator::Update(float seconds)
{
    CJWindow* parent = GetParent();
    const float dx = m_goalX - m_currentX, dy = m_goalY - m_currentY;
    if (dx * dx + dy * dy >= 1.0f) {
        const float step = seconds * m_speed;
        m_currentX += std::clamp(dx, -step, step);
        m_currentY += std::clamp(dy, -step, step);
        if (parent)
            parent->SetPosition(static_cast<int32_t>(std::lround(m_currentX)),
                                static_cast<int32_t>(std::lround(m_currentY)));
        CJWindow::Update(seconds);
        return;
    }
    CSoundList::GetInstance().PlaySound(dataname::sound::kButtonFlip);
    if (parent)
        parent->SetPosition(static_cast<int32_t>(std::lround(m_goalX)), static_cast<int32_t>(std::lround(m_goalY)));
    // The parent's update walk watches its children, so the animator may go from here.
    Finish();
}

void CJAnimator::Finish()
{
    Close();
}
