#pragma once
// The scenery of a round ("<name>.Background"), as far as layouts and the playfield need it until
// the backgrounds arrive: an object that a layout names and the playfield is given, with its
// foreground and midground sequences and its still image (indices into the sequence and frame
// collections, 0 for none), its music and its shadows. None of these is read from the file yet;
// the backgrounds bring their properties and decoration sprite generators.
//
// The rule a caller must know: the music is not owned.
#include "objects/Object.h"
#include "objects/Point.h"

#include <cstdint>

class CMusicMixerData;

class CBackgroundDefinition : public CObject
{
    DECLARE_CLASS_RECORD(CBackgroundDefinition)
    CBackgroundDefinition() { InitOwnProperties(); }
    ~CBackgroundDefinition() override { DestroyOwnProperties(); }

    uint32_t m_foregroundSequence = 0;
    uint32_t m_midgroundSequence = 0;
    uint32_t m_backgroundFrame = 0;
    const CMusicMixerData* m_music = nullptr;
    bool m_hasShadows = false;
    CIntPoint m_shadowOffset{10, 10};
};
