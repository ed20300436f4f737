#pragma once
// The data set's round layouts as maps of characters, one string per grid row from the top, at
// most 15 characters (the columns a row of bricks fills between the walls). A character lays the
// brick type of its key; ' ' and '.' lay nothing:
//   n Normal          p Power Up        # Obstacle        s Indestructible
//   t Indestructible Top (goes when hit from below)  b Indestructible Bottom (from above)
//   x Exploding       3 3 Hit           B 3 Hit Bottom    T 3 Hit Top
//   o Off/On          O On/Off          d Detinator       w Push Away
//   ^ Nudge Up        v Nudge Down      < Nudge Left      > Nudge Right
//   z Brick Shredder  @ Trapped Ball
// Floating bricks name their type by the same keys, and their changes by the keys of the bricks
// changed from and to.
//
// The rule a caller must know: the maps are data; what they lay is read back from the built data
// set by the tests, never restated.
#include <cstdint>
#include <vector>

// The brick type a key lays; false for a character that lays none.
bool GetRoundMapKeyType(char key, uint32_t& type);

// A brick at a free position ("Position X", "Position Y": from the grid origin), optionally
// moving along a line through it and changing the bricks about it when it goes.
struct DrawnFloating
{
    char key;
    float x, y;
    float speed = 0.0f;           // pixels per second
    float before = 0.0f;          // "Range 1": path length behind the position
    float after = 0.0f;           // "Range 2": path length ahead of it
    float degrees = 0.0f;         // the path's direction, clockwise from the x axis
    bool throughOthers = true;
    char changeFrom = 0;          // 0: any brick
    char changeTo = 0;            // 0: no change
    char lookLike = 0;            // 0: its own look
    uint32_t forcePowerUp = 0;    // a power-up kind, 0 for none
};

struct DrawnLayout
{
    const char* name;
    const char* background;
    std::vector<const char*> rows;
    // The offset of every odd row in pixels (a brick wall's bond); 0 for none.
    int32_t oddRowOffset = 0;
    std::vector<DrawnFloating> floating = {};
};

// The ten rounds of "Classic" and of "Expert", in play order.
std::vector<DrawnLayout> GetClassicLayouts();
std::vector<DrawnLayout> GetExpertLayouts();
