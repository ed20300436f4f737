#include "game/sprites/EffectSpriteAI.h"

namespace {

uint32_t s_liveCount = 0;

} // namespace

IMPLEMENT_ABSTRACT_CLASS_RECORD(CEffectSpriteAI, CAnimateOnceAI, 1.0f)

void CEffectSpriteAI::AddProperties(CClassRecord*)
{
}

CEffectSpriteAI::CEffectSpriteAI(float rate) : CAnimateOnceAI(rate)
{
    InitOwnProperties();
    ++s_liveCount;
}

CEffectSpriteAI::~CEffectSpriteAI()
{
    --s_liveCount;
    DestroyOwnProperties();
}

uint32_t CEffectSpriteAI::GetLiveCount()
{
    return s_liveCount;
}
