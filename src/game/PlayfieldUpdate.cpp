// One step of the playfield: the delays of the end of a round and of the bonus tally, the lists in
// their fixed order, the brick layer, the collisions wired to the behaviours' handlers, the end of
// the round and lost balls.
#include "app/DemoRecorder.h"
#include "app/Keyboard.h"
#include "app/PlayerControls.h"
#include "game/Playfield.h"
#include "game/PlayfieldTexts.h"
#include "game/bricks/BallAI.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickLayer.h"
#include "game/bricks/BrickType.h"
#include "game/ship/PowerUpAI.h"
#include "game/rounds/RoundSet.h"
#include "game/rounds/RoundSetCollection.h"
#include "game/ship/ShipAI.h"
#include "game/ship/ShotAI.h"
#include "game/sprites/FindSpriteAI.h"
#include "objects/DataNames.h"
#include "sound/SoundList.h"

namespace {

using namespace playfieldtext;

constexpr float kStepSeconds = 1.0f / 60.0f;
// The action of the player's controls that skips the laying of bricks (fire).
constexpr int kFireAction = 0;
// What a shot does to a brick: the big gun's blast burns with its reach, any other shot hits
// from below at full strength.
constexpr bool kBigGunByFire = true;
constexpr float kBigGunReach = 35.0f;
constexpr uint32_t kShotSide = 1;
constexpr bool kShotWeak = false;

void OnBallHitBrick(CSprite* ball, CSprite* brick, uint32_t context)
{
    if (CBallAI* ballAI = FindSpriteAI<CBallAI>(ball))
        ballAI->OnHitBrick(ball, brick, context != 0);
}

void OnBallHitShip(CSprite* ball, CSprite* ship, uint32_t)
{
    CShipAI* shipAI = FindSpriteAI<CShipAI>(ship);
    if (shipAI && (shipAI->HoldsBall(ball) || shipAI->TryCatchBall(ship, ball)))
        return;
    if (CBallAI* ballAI = FindSpriteAI<CBallAI>(ball))
        ballAI->OnHitShip(ball, ship);
}

void OnPowerUpHitShip(CSprite* powerUp, CSprite* ship, uint32_t)
{
    if (CPowerUpAI* powerUpAI = FindSpriteAI<CPowerUpAI>(powerUp))
        powerUpAI->OnCollect(powerUp, ship);
}

void OnPowerUpHitBall(CSprite* powerUp, CSprite*, uint32_t)
{
    if (CPowerUpAI* powerUpAI = FindSpriteAI<CPowerUpAI>(powerUp))
        powerUpAI->OnHitByBall(powerUp);
}

void OnShotHitBrick(CSprite* shot, CSprite* brick, uint32_t)
{
    const CShotAI* shotAI = FindSpriteAI<CShotAI>(shot);
    if (CBrickAI* brickAI = FindSpriteAI<CBrickAI>(brick)) {
        if (shotAI && shotAI->IsBigGun())
            brickAI->Destroy(brick, kBigGunByFire, kBigGunReach);
        else
            brickAI->Hit(brick, kShotSide, kShotWeak);
    }
    shot->SetFlag(CSprite::kDead, true);
}

void StopBalls(CSpriteList& balls)
{
    for (CSprite* ball = balls.GetHead(); ball; ball = ball->GetNext()) {
        ball->SetVelocity(CFloatPoint{0.0f, 0.0f});
        if (CBallAI* ballAI = FindSpriteAI<CBallAI>(ball))
            ballAI->SetEndOfRound(true);
    }
}

} // namespace

bool CPlayfield::IsPlayingBack() const
{
    const CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    return recorder && recorder->IsPlaying();
}

void CPlayfield::Update(float elapsed)
{
    ++m_steps;
    // The ship asks for its effects again when it updates; one that does not asks for none.
    m_host->ClearForceEffectFlags(CShipAI::kShipAmbience);
    const bool live = !IsPlayingBack();
    if (live) {
        if (m_gameOver) {
            if (m_gameOverDelay > 0.0f) {
                m_gameOverDelay -= elapsed;
            } else if (!m_gameFinished) {
                // The verdict comes once, however long the owner keeps stepping an ended game.
                m_gameFinished = true;
                FinishGame();
            }
            return;
        }
        UpdateDelays();
    }
    UpdateLists();
    if (!live)
        return;
    if (m_brickLayer)
        m_brickLayer->Step();
    CollideLists();
    CheckRoundComplete();
    if (IsLayingBricks()) {
        const CPlayerControls* controls = m_host->GetPlayerControls();
        if (controls && controls->IsFiring(kFireAction)) {
            g_keyboard.ClearAll();
            m_brickLayer->Skip();
        }
    }
    CheckLostBall();
}

void CPlayfield::UpdateDelays()
{
    // The tally counts from the step after the one that starts it.
    const bool tallyRunning = m_tallyDelay > 0;
    if (m_endOfRoundDelay > 0 && --m_endOfRoundDelay == 0) {
        StopBalls(m_balls);
        StopBalls(m_freedBalls);
        Show(g_roundComplete.CStr(), kLarge, kMessageSeconds);
        AddPoints(kRoundBonus);
        CSoundList::GetInstance().PlaySound(dataname::sound::kLevelEnding);
        if (!GetActiveShip()) {
            AddLines(g_noShipBonus.CStr(), kLarge);
            AddPoints(kNoShipBonus);
        }
        m_tallyDelay = kFirstTallyDelay;
        m_showBonusTitle = true;
    }
    if (tallyRunning && --m_tallyDelay == 0)
        TallyNextBall();
    if (!m_roundComplete && !IsLayingBricks()) {
        m_host->SetGameTime(m_host->GetGameTime() + kStepSeconds);
        m_roundTime += kStepSeconds;
    }
}

void CPlayfield::UpdateLists()
{
    m_balls.UpdateAll();
    m_freedBalls.UpdateAll();
    m_ship.UpdateAll();
    m_powerUps.UpdateAll();
    m_shots.UpdateAll();
    m_bricks.UpdateAll();
    m_backgroundSprites.UpdateAll();
    m_lowEffects.UpdateAll();
    m_foreground.UpdateAll();
}

void CPlayfield::CollideLists()
{
    m_bricks.SweepListAgainst(&OnBallHitBrick, &m_balls);
    m_bricks.SweepListAgainst(&OnBallHitBrick, &m_freedBalls);
    m_balls.CollideWithList(&OnBallHitShip, 0, &m_ship, nullptr, 0);
    m_freedBalls.CollideWithList(&OnBallHitShip, 0, &m_ship, nullptr, 0);
    m_powerUps.CollideWithList(&OnPowerUpHitShip, 0, &m_ship, nullptr, 0);
    m_powerUps.CollideWithList(&OnPowerUpHitBall, 0, &m_balls, nullptr, 0);
    m_powerUps.CollideWithList(&OnPowerUpHitBall, 0, &m_freedBalls, nullptr, 0);
    m_shots.CollideWithList(&OnShotHitBrick, 0, &m_bricks, nullptr, 0);
}

CSprite* CPlayfield::GetActiveShip() const
{
    CSprite* ship = m_ship.GetHead();
    return ship && ship->IsActive() ? ship : nullptr;
}

bool CPlayfield::IsAnyNeededBrickLeft() const
{
    for (CSprite* brick = m_bricks.GetHead(); brick; brick = brick->GetNext()) {
        const CBrickAI* brickAI = brick->IsDead() ? nullptr : FindSpriteAI<CBrickAI>(brick);
        if (brickAI && (brickAI->IsNeeded() ||
                        (brickAI->IsChanging() && IsNeededBrickType(brickAI->GetChangeTargetType()))))
            return true;
    }
    return false;
}

void CPlayfield::CheckRoundComplete()
{
    if (m_roundComplete || IsLayingBricks() || IsAnyNeededBrickLeft())
        return;
    if (!m_host->IsCheated())
        RecordCheckPoint();
    m_roundComplete = true;
    m_endOfRoundDelay = kEndOfRoundDelay;
}

void CPlayfield::RecordCheckPoint()
{
    uint32_t set = 0, index = 0;
    // Past the last round there is no set to hold a checkpoint of the next round.
    if (!ToRoundSetAndIndex(m_round + 1, set, index))
        return;
    const CRoundSet* roundSet = CRoundSetCollection::GetInstance().GetSet(set);
    // A set without checkpoints has none to reach.
    const int checkPoint = roundSet ? roundSet->FindCheckPointForRound(index) : -1;
    if (checkPoint < 0)
        return;
    if (!m_host->HasReachedCheckPoint(set, static_cast<uint32_t>(checkPoint)))
        m_host->SetCheckPointReached(set, static_cast<uint32_t>(checkPoint));
}
