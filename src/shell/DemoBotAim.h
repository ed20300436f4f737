#pragma once
// The demo bot's reading of the bricks: where a ball sent from a point goes (straight, off the
// side walls and the top), which brick its path meets first and from which side, and what
// striking that brick there is worth to a player who must clear the round. The bot aims with it:
// it picks the spot on the ship (or, holding a ball, the place of the ship) whose path meets the
// brick most worth striking.
//
// The rule a caller must know: the path is a straight line between bounces, as the ball flies
// until something turns it; the random turns a bounce may give and bricks moving meanwhile are not
// foreseen, so a nearer brick is a surer one.
#include "objects/Point.h"

#include <cstdint>

class CPlayfield;
class CSprite;
class CSpriteList;

class CDemoBotAim
{
public:
    struct PathHit
    {
        const CSprite* brick = nullptr;
        // The side the ball strikes from, as the brick behaviour counts sides (0 above, 1 below,
        // 2 left, 3 right).
        uint32_t side = 0;
        // The path's length up to the brick, and the walls it bounced off on the way.
        float length = 0.0f;
        uint32_t bounces = 0;
        // Where it ends: at the brick, where it came down to the row given up at, or where it was
        // given up after its length or bounces.
        CFloatPoint end;
    };

    // The first live, shown brick of the list that a ball (a small one, or not) meets travelling
    // from the point along the direction (any length), bouncing off the side walls and the top,
    // over at most maxLength pixels and until it comes down to the row giveUpY. No brick: brick
    // null.
    static PathHit TracePath(CSpriteList& bricks, CFloatPoint from, CFloatPoint direction, bool small,
                             float maxLength, float giveUpY);

    // What the strike is worth: 0 nothing (a brick that need not go, or none); 1 a strike on the
    // armoured side of a brick that must go (only the 26th such strike breaks it); 2 a switch
    // that is on (the strike turns it off); 3 a strike that breaks the brick or brings it nearer
    // its end.
    static int RateHit(const PathHit& hit);

    // The worth of a path, which prefers strong strikes, then short paths with few bounces.
    static float Score(const PathHit& hit);
};
