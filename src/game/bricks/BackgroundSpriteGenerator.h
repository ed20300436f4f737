#pragma once
// One kind of decoration of a background: a behaviour (a fish, plankton, debris, ...) with its
// properties, how many sprites carry a copy of it, and the sprite list they go into.
//
// The rule a caller must know: the generator owns its "Type"; every sprite it makes gets its own
// clone, so a change to one sprite's behaviour never reaches the others.
#include "objects/Object.h"

#include <cstdint>

class CEnumTable;
class CSpriteAI;
class CSpriteList;

class CBackgroundSpriteGenerator : public CObject
{
    DECLARE_CLASS_RECORD(CBackgroundSpriteGenerator)
    // "Layer" values.
    static constexpr uint32_t kForegroundLayer = 0;
    static constexpr uint32_t kBackgroundLayer = 1;

    CBackgroundSpriteGenerator();
    // Deletes the "Type".
    ~CBackgroundSpriteGenerator() override;

    // "Count" new animated sprites, kept out of demos, each with a clone of "Type" (which places
    // and animates it), appended to the foreground list (layer 0) or the background list (layer 1).
    // Answers how many were made: none without a "Type", for a count of 0, for a "Type" that cannot
    // be cloned, or for a layer that names no list (a sprite in no list would never be freed).
    uint32_t Generate(CSpriteList& foreground, CSpriteList& background) const;

    // The layer names "Foreground Sprites" and "Background Sprites".
    static CEnumTable& GetLayerTable();

    CSpriteAI* m_type; // "Type"; null for none
    uint32_t m_count;  // "Count"
    uint32_t m_layer;  // "Layer"
};
