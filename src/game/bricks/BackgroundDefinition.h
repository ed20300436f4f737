#pragma once
// A background as the playfield needs it until the backgrounds arrive: its foreground and
// midground sequences and its still image (indices into the sequence and frame collections, 0 for
// none), its music, and its shadows.
//
// The rule a caller must know: the music is not owned.
#include "objects/Point.h"

#include <cstdint>

class CMusicMixerData;

class CBackgroundDefinition
{
public:
    uint32_t m_foregroundSequence = 0;
    uint32_t m_midgroundSequence = 0;
    uint32_t m_backgroundFrame = 0;
    const CMusicMixerData* m_music = nullptr;
    bool m_hasShadows = false;
    CIntPoint m_shadowOffset{10, 10};
};
