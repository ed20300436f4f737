// Drawing the playfield: the field in its layer order (each step recorded while a demo is being
// recorded), the still background, the brick layer and the "Game Over" picture; and the
// background's images and music.
#include "blit/modes/CopyBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "game/Playfield.h"
#include "game/bricks/BackgroundDefinition.h"
#include "game/bricks/BrickLayer.h"
#include "game/bricks/BrickLayout.h"
#include "game/sprites/Sprite.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "graphics/FrameInterface.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"
#include "objects/DataNames.h"

namespace {

constexpr int kShadowDetailLevel = 2;

CSequence* GetSequenceOrNone(uint32_t index)
{
    return index ? dynamic_cast<CSequence*>(CSequenceCollection::GetInstance().GetItem(index)) : nullptr;
}

// The named picture; null when the frames have none.
CFrame* FindPicture(const char* name)
{
    CFrameCollection& frames = CFrameCollection::GetInstance();
    const int index = frames.FindIndexByName(name, -1);
    return index >= 0 ? dynamic_cast<CFrame*>(frames.GetItem(static_cast<uint32_t>(index))) : nullptr;
}

} // namespace

void CPlayfield::Draw(CFrameInterface* target)
{
    SetClipToField(target, true);
    DrawSpriteList(&m_backgroundSprites, target);
    DrawMidLayer(target);
    if (m_backgroundDetailLevel == kShadowDetailLevel && m_background && m_background->m_hasShadows) {
        CSprite::SetShadowOffset(m_background->m_shadowOffset);
        for (CSpriteList* list : {&m_lowEffects, &m_ship, &m_bricks, &m_balls, &m_freedBalls, &m_powerUps, &m_shots,
                                  &m_foreground})
            list->DrawShadows(target);
    }
    for (CSpriteList* list :
         {&m_lowEffects, &m_ship, &m_bricks, &m_balls, &m_freedBalls, &m_powerUps, &m_shots, &m_foreground})
        DrawSpriteList(list, target);
    if (CFrame* frame = m_foregroundImage ? m_foregroundImage->GetCurrentFrame() : nullptr)
        target->DrawFrameAt(frame, 0, 0, &g_transparentMaskBlitter);
    SetClipToField(target, false);
    if (m_gameOver)
        if (CFrame* picture = FindPicture(dataname::picture::kGameOver)) {
            const int32_t x = m_fieldRect.m_left + (m_fieldRect.m_right - m_fieldRect.m_left - picture->GetWidth()) / 2;
            const int32_t y = (target->GetHeight() - picture->GetHeight()) / 2;
            target->DrawFrameAt(picture, x, y, &g_transparentMaskBlitter);
        }
}

void CPlayfield::DrawStaticBackground(CFrameInterface* target)
{
    if (!m_backgroundImage || m_backgroundDetailLevel <= 0)
        return;
    target->DrawFrameAt(m_backgroundImage, 0, 0, &g_transparentMaskBlitter);
    if (m_midground && m_midground->GetFrameCount() < 2)
        if (CFrame* frame = m_midground->GetFrame(0))
            target->DrawFrameAt(frame, 0, 0, &g_copyBlitter);
}

void CPlayfield::DrawBrickLayer(CFrameInterface* target)
{
    if (IsLayingBricks())
        m_brickLayer->Draw(target);
}

void CPlayfield::RemakeDecorations()
{
    if (!m_roundStarted)
        return;
    m_backgroundSprites.DeleteAll();
    m_foreground.DeleteAll();
    CBrickLayout::ApplyBackgroundTheme(GetBrickLayout().m_backgroundType);
}

void CPlayfield::SetBackground(CBackgroundDefinition* background)
{
    m_background = background;
    if (!background) {
        m_foregroundImage = nullptr;
        m_midground = nullptr;
        m_backgroundImage = nullptr;
    } else {
        m_foregroundImage = GetSequenceOrNone(background->m_foregroundSequence);
        m_midground = GetSequenceOrNone(background->m_midgroundSequence);
        m_backgroundImage = background->m_backgroundFrame
                                ? dynamic_cast<CFrame*>(CFrameCollection::GetInstance().GetItem(
                                      background->m_backgroundFrame))
                                : nullptr;
        if (!IsPlayingBack())
            m_host->SetMusic(background->m_music);
    }
    m_host->InvalidateScreen();
}
