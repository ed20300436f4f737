#pragma once
// A brick that a round layout places at a free position instead of a grid cell: optionally moving
// to and fro along a line, changing the bricks around it into another type when destroyed,
// borrowing another type's look, or forcing a power-up. Layouts own their floating bricks; the
// brick behaviour only reads them.
//
// The rule a caller must know: "Position X" and "Position Y" are relative to the grid origin
// (30, 20); GetPosition gives playfield coordinates.
#include "objects/Object.h"
#include "objects/Point.h"

#include <cstdint>

class CBrickInfo;

class CFloatingBrick : public CObject
{
    DECLARE_CLASS_RECORD(CFloatingBrick)
    // The grid origin the positions are relative to.
    static constexpr float kOriginX = 30.0f;
    static constexpr float kOriginY = 20.0f;

    CFloatingBrick() { InitOwnProperties(); }
    ~CFloatingBrick() override { DestroyOwnProperties(); }

    // ("Position X" + 30, "Position Y" + 20).
    CFloatPoint GetPosition() const { return {m_positionX + kOriginX, m_positionY + kOriginY}; }
    // Whether the brick moves at all: a path needs a range on either side of the position.
    bool HasPath() const { return m_range1 > 0.0f || m_range2 > 0.0f; }
    // The two ends of the path: the position moved by -"Range 1" and by "Range 2" along the
    // direction (clockwise on screen from the x axis). Meaningful only when HasPath.
    void GetPathEnds(CFloatPoint& first, CFloatPoint& second) const;
    // The brick types named by the "Changing/..." references, loaded on first use; null for none.
    CBrickInfo* GetChangeFrom() const;
    CBrickInfo* GetChangeTo() const;
    CBrickInfo* GetLookLike() const;

    float m_positionX;       // "Position X"
    float m_positionY;       // "Position Y"
    uint32_t m_forcePowerUp; // "Force Power-up": a power-up kind, 0 for none
    float m_speed;           // "Movement/Speed", pixels per second
    float m_range1;          // "Movement/Range 1"
    float m_range2;          // "Movement/Range 2"
    float m_direction;       // "Movement/Direction", radians (shown in degrees)
    bool m_canMoveThroughOtherBricks; // "Movement/Can Move Through Other Bricks"
    uint32_t m_paletteIndex; // "Palette Index"
    uint32_t m_changeFrom;   // "Changing/Brick To Change From": 0 is any
    uint32_t m_changeTo;     // "Changing/Brick To Change To": 0 is none
    uint32_t m_lookLike;     // "Changing/Brick To Look Like": 0 is none
};
