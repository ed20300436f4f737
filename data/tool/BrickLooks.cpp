#include "BrickLooks.h"

#include "BrickLookPaintings.h"
#include "game/bricks/BrickType.h"

namespace {

// Metal rings when struck; stone and rubber thud.
constexpr const char* kClank = "Brick Clank.wav";
constexpr const char* kThud = "Brick Thud.wav";
constexpr const char* kNudged = "Brick Nudge.wav";
constexpr const char* kDamaged = "Brick Damaged.wav";
constexpr const char* kExplode = "Brick Explode.wav";
constexpr const char* kPop = "Pop Brick.wav";
// A brick's chips with a few sparks among them; explosives throw more and faster.
constexpr const char* kBreak = "Brick Break";
constexpr const char* kBlast = "Brick Blast";

struct TypeLook
{
    const char* look;    // the primary look's name under "Brick Looks/"
    const char* colour;  // its chips' colour
    const char* struck;  // the indestructible sound; null for none
    const char* broken;  // the destroyed sound
    bool damages;        // the look changes to "<look> 2" and "<look> 3" with damage
    bool blasts;         // breaks with the bigger burst
};

// By type, 0 "Normal" to 19 "Trapped Ball".
constexpr TypeLook kLooks[kBrickTypeCount] = {
    {"Normal", "Blue", nullptr, kPop, false, false},
    {"Power Up", "Green", nullptr, kPop, false, false},
    {"Obstacle", "Gunmetal", kThud, kPop, false, false},
    {"Indestructible", "Steel", kClank, kExplode, false, true},
    {"Indestructible Top", "Blue", kClank, kPop, false, false},
    {"Indestructible Bottom", "Blue", kClank, kPop, false, false},
    {"Exploding", "Fire", nullptr, kExplode, false, true},
    {"3 Hit", "Gold", kThud, kPop, true, false},
    {"3 Hit Bottom", "Gold", kClank, kPop, true, false},
    {"3 Hit Top", "Gold", kClank, kPop, true, false},
    {"Toggle Off", "Cyan", nullptr, kPop, false, false},
    {"Toggle On", "Cyan", nullptr, kPop, false, false},
    {"Detinator", "Red", nullptr, kExplode, false, true},
    {"Push Away", "Violet", nullptr, kPop, false, false},
    {"Nudge Up", "Rose", kNudged, kPop, false, false},
    {"Nudge Down", "Rose", kNudged, kPop, false, false},
    {"Nudge Left", "Rose", kNudged, kPop, false, false},
    {"Nudge Right", "Rose", kNudged, kPop, false, false},
    {"Brick Shredder", "Gunmetal", kClank, kExplode, false, true},
    {"Trapped Ball", "Glass", nullptr, kPop, false, false},
};

} // namespace

BrickLook GetBrickLook(uint32_t type)
{
    BrickLook look;
    if (type >= kBrickTypeCount)
        return look;
    const TypeLook& kind = kLooks[type];
    look.primary = BrickLookName(kind.look);
    if (kind.damages) {
        look.second = look.primary + " 2";
        look.third = look.primary + " 3";
    }
    // A toggle shows the other state's look once it is switched; both break as they are when on.
    if (type == kBrickOffOn || type == kBrickOnOff) {
        look.second = BrickLookName(type == kBrickOffOn ? "Toggle On" : "Toggle Off");
        look.destroyed = BreakingLookName("Toggle On");
    } else if (type != kBrickObstacle) {
        look.destroyed = BreakingLookName(kind.look);
    }
    look.destroyedSound = kind.broken;
    if (kind.struck)
        look.indestructibleSound = kind.struck;
    if (kind.damages)
        look.damagedSound = kDamaged;
    if (type != kBrickObstacle) {
        look.breakGenerator = kind.blasts ? kBlast : kBreak;
        look.breakParticles = {{ChipsName(kind.colour), 10}, {"Spark Yellow", 3}};
    }
    return look;
}

bool AddBrickLooks(CContentSet& set, std::string& error)
{
    return AddDrawnSequences(set, PaintBrickLooks(), error);
}
