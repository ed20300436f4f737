#pragma once
// The scenery of a round ("<name>.Background"): the layers from front to back (a foreground image
// over everything, the playfield, the foreground decorations, a midground image, the background
// decorations, a still background image), whether sprites cast shadows and how far, the three
// mixes of the round's music, and the generators of its decoration sprites. Layouts name one; the
// playfield draws its layers and plays its music.
//
// The rule a caller must know: the definition owns its music and generators; the playfield and the
// music mixer only borrow them while the definition is loaded.
#include "objects/Object.h"
#include "objects/Point.h"

#include <cstdint>

class CBackgroundSpriteGenerator;
class CMusicMixerData;
class CSpriteList;

class CBackgroundDefinition : public CObject
{
    DECLARE_CLASS_RECORD(CBackgroundDefinition)
    // Only at this background detail level are decorations made.
    static constexpr int kDecorationDetailLevel = 2;

    CBackgroundDefinition();
    // Deletes the music and the generators.
    ~CBackgroundDefinition() override;

    // At detail level 2, each generator in order makes its sprites into the foreground or the
    // background list; at any other level nothing. Answers how many sprites were made.
    uint32_t CreateDecorations(CSpriteList& foreground, CSpriteList& background, int detailLevel) const;

    uint32_t GetGeneratorCount() const { return m_generatorCount; }
    // Null past the last generator (or for an empty slot).
    CBackgroundSpriteGenerator* GetGenerator(uint32_t i) const;

    bool m_hasShadows;                 // "Draw Shadows"
    CIntPoint m_shadowOffset;          // "Shadow Offset"
    uint32_t m_foregroundSequence;     // "Layers/Foreground Image": a sequence list entry, 0 for none
    bool m_playfieldLayer;             // "Layers/Playfield"
    bool m_foregroundSpritesLayer;     // "Layers/Foreground Sprites"
    uint32_t m_midgroundSequence;      // "Layers/Midground Image": a sequence list entry, 0 for none
    bool m_backgroundSpritesLayer;     // "Layers/Background Sprites"
    uint32_t m_backgroundFrame;        // "Layers/Background Image": a frame list entry, 0 for none
    CMusicMixerData* m_music;          // "Music Tracks"; null for none
    uint32_t m_generatorCount;         // "Sprites/Sprite Generators"
    CBackgroundSpriteGenerator** m_generators;
    uint32_t m_generatorCapacity;
};
