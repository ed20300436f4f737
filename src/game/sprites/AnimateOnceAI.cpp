#include "game/sprites/AnimateOnceAI.h"

#include "foundation/MathTables.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/StateCheck.h"
#include "graphics/Sequence.h"

IMPLEMENT_ABSTRACT_CLASS_RECORD(CAnimateOnceAI, CSpriteAI, 1.0f)

void CAnimateOnceAI::AddProperties(CClassRecord*)
{
}

CAnimateOnceAI::CAnimateOnceAI(float rate) : CSpriteAI(1, 1), m_rate(rate), m_wholeStep(rate == 1.0f)
{
    InitOwnProperties();
}

CAnimateOnceAI::~CAnimateOnceAI()
{
    DestroyOwnProperties();
}

void CAnimateOnceAI::Update(CSprite* sprite, uint32_t arg)
{
    const CSequence* sequence = sprite->GetSequence();
    const uint32_t count = sequence ? sequence->GetFrameCount() : 0;
    if (count >= 1) {
        bool finished = false;
        if (m_wholeStep) {
            sprite->SetFrameIndex(sprite->GetFrameIndex() + 1);
            sprite->SetAnimationTime(static_cast<float>(sprite->GetFrameIndex()));
        } else {
            const float time = sprite->GetAnimationTime() + m_rate;
            sprite->SetAnimationTime(time);
            // Before the start (a backward animation that has run out) the animation ends.
            finished = time < 0.0f;
            sprite->SetFrameIndex(finished ? 0 : static_cast<uint32_t>(FloorToInt(time)));
        }
        if (finished || sprite->GetFrameIndex() >= count) {
            sprite->SetFrameIndex(0);
            sprite->SetAnimationTime(0.0f);
            sprite->SetFlag(CSprite::kDead, true);
        }
    }
    if (CSpriteAI* next = GetNext())
        next->Update(sprite, arg);
}

void CAnimateOnceAI::SyncState()
{
    CStateCheck::SyncFloat(m_rate);
    SyncNext();
}
