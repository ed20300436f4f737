// The flow of a game on the playfield: new games and rounds, serving the ball, lost balls, the
// bonus tally, points and cheats, the end of the game with its verdict, and round numbering.
#include "app/Keyboard.h"
#include "foundation/FileTimes.h"
#include "foundation/R250Random.h"
#include "foundation/TextSubstitutionList.h"
#include "game/Playfield.h"
#include "game/PlayfieldTexts.h"
#include "game/bricks/BallAI.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickLayer.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/BrickLayoutCollection.h"
#include "game/ship/PowerUpAI.h"
#include "game/rounds/RoundSet.h"
#include "game/rounds/RoundSetCollection.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/RecordedSound.h"
#include "graphics/SequenceCollection.h"
#include "objects/DataNames.h"
#include "sound/SoundList.h"

#include <algorithm>
#include <limits>

namespace {

using namespace playfieldtext;

// The verdict counts a game as a high score within these ranks.
constexpr uint32_t kHighScoreRanks = 50;
constexpr uint32_t kPersonalRanks = 25;

void PlaySound(const char* name)
{
    CSoundList::GetInstance().PlaySound(name);
}

} // namespace

void CPlayfield::DeleteAllSprites()
{
    for (CSpriteList CPlayfield::* list : s_listsById)
        (this->*list).DeleteAll();
}

void CPlayfield::StartNewGame(uint32_t round, uint32_t difficulty, bool resuming)
{
    SetLives(2);
    if (difficulty == kEasy)
        SetLives(4);
    m_gameOver = false;
    m_gameFinished = false;
    if (!resuming) {
        m_host->ResetCurrentGame();
        m_host->SetScore(0);
        m_host->SetDifficulty(difficulty);
        m_host->SetStartRound(round);
        m_host->SetStartTime(GetCurrentFileTime());
        m_host->SetGameTime(0.0f);
        m_host->SetCheated(false);
    }
    m_ship.DeleteAll();
    if (!m_brickLayer)
        m_brickLayer = std::make_unique<CBrickLayer>();
    auto* ship = new CAnimatedSprite;
    ship->SetPosition(CFloatPoint{static_cast<float>(kShipX), static_cast<float>(kShipY)});
    ship->AddAI(new CShipAI(ship, m_host->GetPlayerControls(), m_host->GetShipStyle()));
    m_ship.Append(ship);
    StartRound(round);
}

void CPlayfield::SuspendGame()
{
    m_host->SetLastRound(m_round);
    m_host->SetEndTime(GetCurrentFileTime());
    m_host->StoreSuspendedGame(static_cast<uint32_t>(std::max(m_lives, 0)));
}

bool CPlayfield::RestoreSuspendedGame()
{
    uint32_t round = 0, difficulty = 0, ballsLeft = 0;
    if (!m_host->LoadSuspendedGame(round, difficulty, ballsLeft))
        return false;
    // The round sets may have changed since: a round that no longer exists resumes the last one.
    const uint32_t total = GetTotalRoundCount();
    if (total > 0 && round >= total)
        round = total - 1;
    StartNewGame(round, difficulty, true);
    SetLives(static_cast<int32_t>(ballsLeft));
    m_host->DiscardSuspendedGame();
    return true;
}

void CPlayfield::StartRound(uint32_t round)
{
    m_ballSpeedCount = m_ballSpeedSum = m_lastBallSpeed = 0.0f;
    m_endOfRoundDelay = 0;
    m_tallyDelay = 0;
    m_roundComplete = false;
    m_roundTime = 0.0f;
    m_round = round;
    ToRoundSetAndIndex(round, m_roundSet, m_roundInSet);
    for (CSpriteList CPlayfield::* list : s_listsById)
        if (list != &CPlayfield::m_ship)
            (this->*list).DeleteAll();

    CBrickLayout& layout = GetBrickLayout();
    layout.ResetToDefaults();
    m_roundStarted = true;
    const CRoundSet* set = CRoundSetCollection::GetInstance().GetSet(m_roundSet);
    CSharedString path;
    CBrickLayoutCollection::GetInstance().GetItemFilePath(set ? set->GetLayoutIndex(m_roundInSet) : 0, path);
    // Writing the layout back (which tidies its text) is the developer's business: in play it would
    // put a loose file beside the archive that then shadows the archive's entry.
    if (layout.Load(path.CStr()) && m_host->IsDeveloperMode())
        layout.Save(path.CStr());

    if (!m_brickLayer)
        m_brickLayer = std::make_unique<CBrickLayer>();
    m_brickLayer->Start(&layout);

    PlaySound(dataname::sound::kStartRound);
    if (CSprite* ship = m_ship.GetHead())
        if (CShipAI* shipAI = FindSpriteAI<CShipAI>(ship))
            shipAI->ResetForRound(ship);
    ShowRoundMessage(0.0f);
    m_host->SetRoundTitle(layout.GetDisplayName().CStr());
}

void CPlayfield::ShowRoundMessage(float seconds)
{
    CSharedString text;
    text.Format("%s %d-%d", g_round.CStr(), static_cast<int>(m_roundSet + 1), static_cast<int>(m_roundInSet + 1));
    Show(text.CStr(), kLarge, seconds);
    AddLines(GetBrickLayout().GetDisplayName().CStr(), kSmall);
}

void CPlayfield::PutBallInPlay()
{
    NewBallOnShip(false);
    PlaySound(dataname::sound::kBallInPlay);
    for (CSprite* brick = m_bricks.GetHead(); brick; brick = brick->GetNext())
        if (CBrickAI* brickAI = FindSpriteAI<CBrickAI>(brick))
            brickAI->ReleaseTrappedBall(brick);
    ShowRoundMessage(kMessageSeconds);
    AddLines(g_begin.CStr(), kLarge);
    m_host->ShowTimedMessage(GetBrickLayout().GetDisplayName().CStr());
}

void CPlayfield::NewBallOnShip(bool loseLife)
{
    if (loseLife)
        SetLives(m_lives - 1);
    m_balls.DeleteAll();
    auto* ball = new CAnimatedSprite;
    ball->SetVelocity(CFloatPoint{0.0f, 0.0f});
    auto* ballAI = new CBallAI(ball);
    ball->AddAI(ballAI);
    if (GetDifficulty() == kInsane)
        ballAI->MakeSmallBall(ball);
    m_balls.Append(ball);
    if (CSprite* ship = m_ship.GetHead()) {
        ship->SetActive(true);
        if (CShipAI* shipAI = FindSpriteAI<CShipAI>(ship)) {
            shipAI->ResetForRound(ship);
            shipAI->CatchBall(ship, ball);
        }
    }
}

void CPlayfield::CheckLostBall()
{
    if (m_roundComplete || IsLayingBricks() || m_balls.GetHead())
        return;
    m_host->CountBallLost();
    if (m_lives <= 0) {
        PlaySound(dataname::sound::kGameOver);
        Show(g_gameOver.CStr(), kLarge, 0.0f, true);
        EndGame(1);
    } else {
        PlaySound(dataname::sound::kLostBall);
        NewBallOnShip(true);
        Show(g_outOfBounds.CStr(), kLarge, kMessageSeconds);
    }
}

void CPlayfield::TallyNextBall()
{
    CSprite* ball = m_balls.GetHead();
    if (!ball) {
        if (m_round + 1 >= GetTotalRoundCount()) {
            CompleteGame();
            EndGame(0);
        } else {
            StartRound(m_round + 1);
        }
        return;
    }
    if (m_showBonusTitle) {
        Show(g_bonusPoints.CStr(), kLarge, kMessageSeconds);
        m_showBonusTitle = false;
    }
    CSprite* ship = m_ship.GetHead();
    CShipAI* shipAI = FindSpriteAI<CShipAI>(ship);
    if (shipAI && shipAI->HoldsBall(ball))
        shipAI->ReleaseBall(ship);
    const CBallAI* ballAI = FindSpriteAI<CBallAI>(ball);
    const bool special = ballAI && (ballAI->IsFire() || ballAI->IsRail() || ballAI->IsSmall());
    AddPoints(special ? kSpecialBallBonus : kBallBonus);
    SpawnEffectSprite(false, CSequenceCollection::GetInstance().FindSequence(dataname::sequence::kSmallGore),
                      ball->GetPosition(), nullptr, nullptr, 1.0f);
    m_tallyDelay = ball == m_balls.GetTail() ? kLastTallyDelay : kTallyDelay;
    PlaySoundRecorded(dataname::sound::kScore);
    ball->SetFlag(CSprite::kDead, true);
}

void CPlayfield::CompleteGame()
{
    PlaySound(dataname::sound::kCompletedGame);
    CSharedString score;
    score.FormatWithCommas(static_cast<int>(GetScore()));
    CTextSubstitutionList substitutions;
    substitutions.AddSubstitution("%name", m_host->GetPlayerName());
    substitutions.AddSubstitution("%difficulty", m_host->GetDifficultyName(GetDifficulty()));
    substitutions.AddSubstitution("%score", score);
    m_host->ShowPictureScreen(dataname::picture::kCompletedGame, substitutions, kCompletedGameSeconds);
}

void CPlayfield::FinishGame()
{
    const uint32_t score = GetScore();
    if (score == 0) {
        m_host->GoToMainMenu();
        return;
    }
    m_host->SetLastRound(m_round);
    m_host->SetEndTime(GetCurrentFileTime());
    m_host->RecordFinishedGame();
    const uint32_t difficulty = GetDifficulty();
    const uint32_t rank = m_host->CountHigherScores(score, difficulty) + 1;
    const uint32_t personalRank = m_host->CountPersonalHigherScores(score, difficulty) + 1;

    CSharedString scoreText;
    scoreText.FormatWithCommas(static_cast<int>(score));
    CSharedString verdict;
    if (m_host->IsCheated()) {
        verdict.Format(g_cheated.GetFormat(), scoreText.CStr());
    } else if (rank <= kHighScoreRanks || personalRank <= kPersonalRanks) {
        m_host->ArchiveCurrentGame();
        verdict.Format(g_ranks.GetFormat(), scoreText.CStr(), static_cast<int>(rank));
        if (personalRank == 1)
            verdict.AddText(g_personalBest.CStr());
        verdict.AddText(".");
    } else {
        verdict.Format(g_notHighEnough.GetFormat(), scoreText.CStr());
    }
    // The totals and the kept game go to disk together: the dialog shows the game as kept.
    m_host->SaveFinishedGame();
    m_host->ClearMode();
    m_host->ShowVerdict(verdict.CStr());
}

void CPlayfield::EndGame(int32_t mode)
{
    m_gameOver = true;
    m_gameOverDelay = mode == 1 ? kGameOverDelay : 0.0f;
}

void CPlayfield::AddPoints(int32_t points)
{
    // The record keeps an unsigned score: a loss takes it down to 0, not round to 4 billion.
    const int64_t score = static_cast<int64_t>(GetScore()) + points;
    m_host->SetScore(static_cast<uint32_t>(std::clamp<int64_t>(score, 0, std::numeric_limits<uint32_t>::max())));
    if (points >= kPointsLineFrom || points < 0) {
        CSharedString number;
        // Shown times the display factor, within what the text can hold.
        const int64_t shown = static_cast<int64_t>(points) * m_host->GetPointsDisplayFactor();
        number.FormatWithCommas(static_cast<int>(
            std::clamp<int64_t>(shown, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
        CSharedString line;
        line.Format("%s %s", number.CStr(), g_points.CStr());
        AddLines(line.CStr(), kSmall);
        KeepAtLeast(kMessageSeconds);
    }
}

uint32_t CPlayfield::GetScore() const
{
    return m_host->GetScore();
}

uint32_t CPlayfield::GetDifficulty() const
{
    return m_host->GetDifficulty();
}

void CPlayfield::SetLives(int32_t lives)
{
    m_lives = lives;
    m_host->InvalidateScoreArea();
}

void CPlayfield::OnCheatUsed()
{
    if (m_host->CheatsCount() && !m_gameOver) {
        m_host->SetScore(0);
        m_host->SetCheated(true);
    }
    Show(g_cheating.CStr(), kLarge, kMessageSeconds);
}

void CPlayfield::RecordBallSpeed(float speed)
{
    if (speed > 1.0f && !m_roundComplete) {
        m_lastBallSpeed = speed;
        m_ballSpeedCount += 1.0f;
        m_ballSpeedSum += speed;
    }
}

CSprite* CPlayfield::SpawnPowerUp(CSprite* brick, uint32_t kind)
{
    if (!brick)
        return nullptr;
    if (kind == 0) {
        const uint32_t total = GetBrickLayout().GetTotalPowerUpWeight();
        kind = total ? GetBrickLayout().PickPowerUp(g_gameRandom.NextBelow(total)) : 0;
    }
    auto* powerUp = new CAnimatedSprite;
    powerUp->SetPosition(brick->GetPosition());
    powerUp->SetIntPosition(brick->GetIntPosition());
    powerUp->AddAI(new CPowerUpAI(powerUp, kind));
    m_powerUps.Append(powerUp);
    return powerUp;
}

bool CPlayfield::HandleSkipKey(uint32_t key)
{
    if (!IsLayingBricks() || (key != kEnterKey && key != kSpaceKey))
        return false;
    m_brickLayer->Skip();
    g_keyboard.ClearAll();
    return true;
}

bool CPlayfield::IsLayingBricks() const
{
    return m_brickLayer && m_brickLayer->IsLaying();
}

CBrickLayer& CPlayfield::GetBrickLayer()
{
    if (!m_brickLayer)
        m_brickLayer = std::make_unique<CBrickLayer>();
    return *m_brickLayer;
}

CBrickLayout& CPlayfield::GetBrickLayout()
{
    if (!m_layoutReset) {
        m_layoutReset = true;
        m_layout->ResetToDefaults();
    }
    return *m_layout;
}

bool CPlayfield::ToRoundSetAndIndex(uint32_t round, uint32_t& set, uint32_t& index)
{
    CRoundSetCollection& sets = CRoundSetCollection::GetInstance();
    for (uint32_t i = 0; i < sets.GetCount(); ++i) {
        const uint32_t count = sets.GetRoundCount(i);
        if (round < count) {
            set = i;
            index = round;
            return true;
        }
        round -= count;
    }
    set = 0;
    index = 0;
    return false;
}

uint32_t CPlayfield::ToAbsoluteRound(uint32_t set, uint32_t index)
{
    CRoundSetCollection& sets = CRoundSetCollection::GetInstance();
    uint32_t round = index;
    for (uint32_t i = 0; i < set && i < sets.GetCount(); ++i)
        round += sets.GetRoundCount(i);
    return round;
}

CSharedString CPlayfield::FormatRoundLabel(uint32_t round)
{
    uint32_t set = 0, index = 0;
    ToRoundSetAndIndex(round, set, index);
    CSharedString label;
    label.Format("%d-%02d", static_cast<int>(set + 1), static_cast<int>(index + 1));
    return label;
}

uint32_t CPlayfield::GetTotalRoundCount()
{
    return ToAbsoluteRound(CRoundSetCollection::GetInstance().GetCount(), 0);
}
