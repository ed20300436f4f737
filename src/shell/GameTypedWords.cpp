// The typed words' handlers. The ship's shield, guns, catcher and reversed controls and the
// ball's split, fire and rail kinds are not built yet: those words count as cheats and show their
// messages, and their effect waits for the ship and ball behaviours.
#include "shell/GameTypedWords.h"

#include "app/TypedWordMatcher.h"
#include "foundation/LocalizedString.h"
#include "game/Playfield.h"
#include "game/PlayfieldTexts.h"
#include "game/bricks/BallAI.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/Sprite.h"
#include "shell/AdvertisementRotator.h"
#include "shell/Game.h"

#include <cmath>

namespace {

constexpr float kMessageSeconds = 4.0f;
constexpr float kDebugRise = 0.2f;
// Below the field, so that the ball is lost.
constexpr float kLostX = 320.0f;
constexpr float kLostY = 600.0f;
constexpr int kNormalFactor = 1;
constexpr int kCrazyFactor = 57;

const CLocalizedString g_catcherOn("Ball Catcher enabled");
const CLocalizedString g_reversed("Controls reversed");
const CLocalizedString g_crazyPoints("Crazy points display");
const CLocalizedString g_normalPoints("Normal points display");
const CLocalizedString g_speedDisplay("Ball speed display activated");

int s_pointsFactor = kNormalFactor;
bool s_ballSpeedDisplay = false;
bool s_registered = false;

CPlayfield* Field()
{
    CGame* game = GetGame();
    return game ? game->GetPlayfield() : nullptr;
}

// The cheat operation: only a running game loses its score (the playfield checks game over).
void Cheat()
{
    if (CPlayfield* field = Field())
        field->OnCheatUsed();
}

CSprite* FirstBall()
{
    CPlayfield* field = Field();
    return field ? field->GetBalls().GetHead() : nullptr;
}

void Tell(const CLocalizedString& text)
{
    playfieldtext::Show(text.CStr(), playfieldtext::kLarge, kMessageSeconds);
}

void SetHorizontal(float sign)
{
    if (CSprite* ball = FirstBall()) {
        const CFloatPoint& velocity = ball->GetVelocity();
        const float speed = std::hypot(velocity.m_x, velocity.m_y);
        ball->SetVelocity(CFloatPoint{sign * speed, kDebugRise});
    }
}

void CycleDetail()
{
    if (CGame* game = GetGame())
        game->CycleBackgroundDetailLevel();
}

} // namespace

int GetPointsDisplayFactor()
{
    return s_pointsFactor;
}

void SetPointsDisplayFactor(int factor)
{
    s_pointsFactor = factor == kCrazyFactor ? kCrazyFactor : kNormalFactor;
}

bool IsBallSpeedDisplayOn()
{
    return s_ballSpeedDisplay;
}

void SetBallSpeedDisplay(bool on)
{
    s_ballSpeedDisplay = on;
}

namespace typedwords {

void CheatExpand()
{
    Cheat();
}

void CheatCatch()
{
    Cheat();
    Tell(g_catcherOn);
}

void CheatShrink() {}

void CheatReverse()
{
    Tell(g_reversed);
}

void CheatGun()
{
    Cheat();
}

void FlipAdvertisement()
{
    if (CGame* game = GetGame())
        if (CAdvertisementRotator* rotator = game->GetAdvertisementRotator())
            rotator->Next();
}

void CheatMiss()
{
    Cheat();
}

void DebugRight()
{
    if (!FirstBall())
        return;
    Cheat();
    SetHorizontal(1.0f);
}

void DebugLeft()
{
    if (!FirstBall())
        return;
    Cheat();
    SetHorizontal(-1.0f);
}

void CrazyPoints()
{
    SetPointsDisplayFactor(s_pointsFactor == kCrazyFactor ? kNormalFactor : kCrazyFactor);
    Tell(s_pointsFactor == kCrazyFactor ? g_crazyPoints : g_normalPoints);
}

void CheatSplit()
{
    if (FirstBall())
        Cheat();
}

void CheatFire()
{
    if (FirstBall())
        Cheat();
}

void CheatSmall()
{
    if (CSprite* ball = FirstBall())
        if (CBallAI* ai = FindSpriteAI<CBallAI>(ball))
            ai->SetSmall(true);
}

void CheatRail()
{
    if (FirstBall())
        Cheat();
}

void ShowBackground()
{
    CycleDetail();
}

void ShowFrameRate()
{
    if (CGame* game = GetGame())
        game->SetShowFrameRate(!game->GetShowFrameRate());
}

void ShowBallSpeed()
{
    s_ballSpeedDisplay = !s_ballSpeedDisplay;
    if (s_ballSpeedDisplay)
        Tell(g_speedDisplay);
}

void CheatNext()
{
    CPlayfield* field = Field();
    if (!field || field->GetRound() + 1 >= CPlayfield::GetTotalRoundCount())
        return;
    Cheat();
    field->StartNextRound();
}

void KillMeNow()
{
    CPlayfield* field = Field();
    CSprite* ball = FirstBall();
    if (!ball)
        return;
    if (CSprite* ship = field->GetShip().GetHead())
        if (CShipAI* ai = FindSpriteAI<CShipAI>(ship); ai && ai->HoldsBall(ball))
            return;
    ball->SetPosition(CFloatPoint{kLostX, kLostY});
}

} // namespace typedwords

void RegisterGameTypedWords()
{
    if (s_registered)
        return;
    s_registered = true;
    using namespace typedwords;
    const struct
    {
        const char* word;
        CTypedWordMatcher::Callback handler;
    } words[] = {
        {"CheatExpand", CheatExpand}, {"CheatCatch", CheatCatch},     {"Cheatgrow", CheatExpand},
        {"CheatShrink", CheatShrink}, {"CheatReverse", CheatReverse}, {"CheatGun", CheatGun},
        {"flipad", FlipAdvertisement}, {"CheatMiss", CheatMiss},      {"debugright", DebugRight},
        {"debugleft", DebugLeft},     {kCrazyPointsWord, CrazyPoints}, {"CheatSplit", CheatSplit},
        {"CheatFire", CheatFire},     {"CheatSmall", CheatSmall},     {"CheatRail", CheatRail},
        {"showbackground", ShowBackground}, {"showFPS", ShowFrameRate}, {"showMPH", ShowBallSpeed},
        {"CheatNext", CheatNext},     {"KillMeNow", KillMeNow},
    };
    for (const auto& entry : words)
        g_typedWordMatcher.AddWord(entry.word, entry.handler);
}
