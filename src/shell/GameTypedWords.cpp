// The typed words' handlers.
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

CBallAI* FirstBallAI()
{
    CSprite* ball = FirstBall();
    return ball ? FindSpriteAI<CBallAI>(ball) : nullptr;
}

CShipAI* Ship()
{
    CPlayfield* field = Field();
    CSprite* ship = field ? field->GetShip().GetHead() : nullptr;
    return ship ? FindSpriteAI<CShipAI>(ship) : nullptr;
}

constexpr uint32_t kGun = 1;
constexpr uint32_t kMissiles = 2;
constexpr uint32_t kSplitCount = 8;

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
    if (CShipAI* ship = Ship())
        ship->GrowShield();
}

void CheatCatch()
{
    Cheat();
    Tell(g_catcherOn);
    if (CShipAI* ship = Ship())
        ship->EnableCatch();
}

void CheatShrink()
{
    if (CShipAI* ship = Ship())
        ship->ShrinkShield();
}

void CheatReverse()
{
    if (CShipAI* ship = Ship())
        ship->ToggleReversedControls();
    Tell(g_reversed);
}

void CheatGun()
{
    Cheat();
    if (CShipAI* ship = Ship())
        ship->SetGunType(kGun, true);
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
    if (CShipAI* ship = Ship())
        ship->SetGunType(kMissiles, true);
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
    if (CBallAI* ai = FirstBallAI()) {
        Cheat();
        ai->SplitBall(FirstBall(), kSplitCount);
    }
}

void CheatFire()
{
    if (CBallAI* ai = FirstBallAI()) {
        Cheat();
        ai->MakeFireBall(FirstBall());
    }
}

void CheatSmall()
{
    if (CBallAI* ai = FirstBallAI())
        ai->MakeSmallBall(FirstBall());
}

void CheatRail()
{
    if (CBallAI* ai = FirstBallAI()) {
        Cheat();
        ai->MakeRailBall(FirstBall());
    }
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
    CSprite* ball = FirstBall();
    if (!ball)
        return;
    if (CShipAI* ship = Ship(); ship && ship->HoldsBall(ball))
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
