#pragma once
// A round set ("<name>.RoundSet"): rounds in play order, each a round layout of the layout
// collection, and checkpoints, chosen rounds from which a player who has reached them may start a
// later game. The game plays the sets of the round-set collection one after another.
//
// The rule a caller must know: checkpoints are kept in ascending round order; AppendCheckPoint
// does not sort them.
#include "objects/Object.h"

#include <cstdint>

class CCheckPointDefinition;

class CRoundSet : public CObject
{
    DECLARE_CLASS_RECORD(CRoundSet)

    CRoundSet();
    // Deletes the rounds and checkpoints.
    ~CRoundSet() override;

    uint32_t GetRoundCount() const { return m_roundCount; }
    // The layout index of the round; 0 (none) past the last round.
    uint32_t GetLayoutIndex(uint32_t round) const { return round < m_roundCount ? m_rounds[round] : 0; }
    uint32_t GetCheckPointCount() const { return m_checkPointCount; }
    // The round (within the set) of checkpoint i; 0 past the last one.
    uint32_t GetCheckPoint(uint32_t i) const;
    // Null past the last checkpoint.
    CCheckPointDefinition* GetCheckPointDefinition(uint32_t i) const;
    // The checkpoint a player reaches by arriving at the round: the last one whose round is not
    // above it, the first when none is; -1 for a set without checkpoints.
    int FindCheckPointForRound(uint32_t round) const;

    // Appends a round of the layout.
    void AppendRound(uint32_t layout);
    // Appends a checkpoint at the round with the image; a full array grows to the larger of one
    // more and 1.2 times its capacity. False (nothing appended) when the array cannot be made.
    bool AppendCheckPoint(uint32_t round, uint32_t image = 0);

    uint32_t m_roundCount; // "Rounds/Round List"
    uint32_t* m_rounds;
    uint32_t m_roundCapacity;
    uint32_t m_checkPointCount; // "Checkpoints/Checkpoints"
    CCheckPointDefinition* m_checkPoints;
    uint32_t m_checkPointCapacity;
};
