// The flow of a game on the playfield, run headless step by step against a recording host.
#include "PlayfieldTestSupport.h"

#include "game/bricks/BallAI.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickLayer.h"
#include "game/ship/PowerUpAI.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/FindSpriteAI.h"

#include <map>

namespace {

using namespace playfieldtest;

// The score after each step, as the steps at which it changed and by how much.
std::map<int, int64_t> RunAndLogScore(CPlayfield& field, CRecordingHost& host, int steps, uint32_t& roundAt,
                                      int& nextRoundStep)
{
    std::map<int, int64_t> changes;
    nextRoundStep = -1;
    const uint32_t round = field.GetRound();
    for (int step = 1; step <= steps; ++step) {
        const uint32_t before = host.GetScore();
        field.Update(1.0f / 60.0f);
        if (host.GetScore() != before)
            changes[step] = static_cast<int64_t>(host.GetScore()) - before;
        if (nextRoundStep < 0 && field.GetRound() != round) {
            nextRoundStep = step;
            roundAt = field.GetRound();
        }
    }
    return changes;
}

TEST_F(PlayfieldTest, NewGameGivesFourLivesOnEasyAndTwoOtherwiseRefreshingTheScoreAreaEachTime)
{
    struct Case
    {
        uint32_t difficulty;
        int32_t lives;
        int refreshes;
    };
    for (const Case& c : {Case{0, 4, 2}, Case{1, 2, 1}, Case{2, 2, 1}, Case{3, 2, 1}}) {
        SCOPED_TRACE(c.difficulty);
        m_host.m_scoreAreaRefreshes = 0;
        m_field->StartNewGame(0, c.difficulty, false);
        EXPECT_EQ(m_field->GetLives(), c.lives);
        EXPECT_EQ(m_host.m_scoreAreaRefreshes, c.refreshes);
        EXPECT_EQ(m_host.m_difficulty, c.difficulty);
        // The record starts afresh (the reset left 7 points, a cheat flag and 9 seconds behind).
        EXPECT_EQ(m_host.m_score, 0u);
        EXPECT_FALSE(m_host.m_cheated);
        EXPECT_EQ(m_host.m_gameTime, 0.0f);
        EXPECT_NE(m_host.m_startTime, 0u);
        EXPECT_EQ(m_field->GetShip().Count(), 1u);
    }
}

TEST_F(PlayfieldTest, ResumingKeepsTheRecordOfTheGame)
{
    m_host.m_score = 4321;
    m_host.m_difficulty = 2;
    m_field->StartNewGame(3, 0, true);
    EXPECT_EQ(m_host.m_score, 4321u);
    EXPECT_EQ(m_host.m_difficulty, 2u);
    EXPECT_EQ(m_field->GetRound(), 3u);
}

TEST_F(PlayfieldTest, ResumedSnapshotsComeBackInsideTheRoundsAndLivesAGameCanHave)
{
    // The snapshot's values come from the statistics file, damaged ones included.
    const struct
    {
        uint32_t round;
        uint32_t balls;
        uint32_t roundAfter;
        int32_t livesAfter;
    } cases[] = {
        {3, 3, 3, 3},           {4000, 1, kRoundsInFirst + 1, 1}, {0xFFFFFFFFu, 0, kRoundsInFirst + 1, 0},
        {2, 1000000, 2, 1000000}, {2, 0x80000000u, 2, 1000000},   {2, 0xFFFFFFFFu, 2, 1000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.balls);
        m_host.m_suspended = true;
        m_host.m_suspendedRound = c.round;
        m_host.m_suspendedBalls = c.balls;
        ASSERT_TRUE(m_field->RestoreSuspendedGame());
        EXPECT_EQ(m_field->GetRound(), c.roundAfter);
        EXPECT_EQ(m_field->GetLives(), c.livesAfter);
        EXPECT_FALSE(m_host.m_suspended);
    }
    EXPECT_FALSE(m_field->RestoreSuspendedGame());
}

TEST_F(PlayfieldTest, RoundLaysItsBricksThenServesAndAnnouncesTheRound)
{
    m_field->StartNewGame(7, 1, false);
    EXPECT_TRUE(m_field->IsLayingBricks());
    EXPECT_EQ(m_field->GetRoundSet(), 1u);
    EXPECT_EQ(m_field->GetRoundInSet(), 1u);
    EXPECT_EQ(m_host.m_roundTitle, "Layout 7");
    EXPECT_EQ(MessageLines(), (std::vector<std::string>{"Round 2-2", "Layout 7"}));
    EXPECT_EQ(m_display->GetTimeLeft(), 0.0f);
    EXPECT_EQ(m_field->GetBalls().Count(), 0u);

    // The laying stops the clocks; serving starts them.
    Step(3);
    EXPECT_EQ(m_host.m_gameTime, 0.0f);
    for (int i = 0; i < 2000 && m_field->IsLayingBricks(); ++i)
        Step();
    EXPECT_FALSE(m_field->IsLayingBricks());
    EXPECT_EQ(m_host.m_gameTime, 0.0f);
    EXPECT_EQ(m_field->GetBricks().Count(), 4u);
    ASSERT_EQ(m_field->GetBalls().Count(), 1u);
    EXPECT_EQ(MessageLines(), (std::vector<std::string>{"Round 2-2", "Layout 7", "Begin"}));
    EXPECT_EQ(m_host.m_timedMessages, (std::vector<std::string>{"Layout 7"}));
    CSprite* ship = m_field->GetShip().GetHead();
    EXPECT_TRUE(FindSpriteAI<CShipAI>(ship)->HoldsBall(m_field->GetBalls().GetHead()));
    Step(60);
    EXPECT_NEAR(m_host.m_gameTime, 1.0f, 1e-4f);
    EXPECT_NEAR(m_field->GetRoundTime(), 1.0f, 1e-4f);
}

TEST_F(PlayfieldTest, OnlyEnterOrSpaceSkipTheLaying)
{
    struct Case
    {
        uint32_t key;
        bool taken;
    };
    for (const Case& c : {Case{13, true}, Case{32, true}, Case{27, false}, Case{'A', false}}) {
        SCOPED_TRACE(c.key);
        m_field->StartNewGame(0, 1, false);
        EXPECT_EQ(m_field->HandleSkipKey(c.key), c.taken);
        EXPECT_EQ(m_field->IsLayingBricks(), !c.taken);
        // The bricks lie hidden until laid.
        uint32_t shown = 0;
        for (CSprite* brick = m_field->GetBricks().GetHead(); brick; brick = brick->GetNext())
            shown += brick->IsActive();
        EXPECT_EQ(m_field->GetBricks().Count(), 4u);
        EXPECT_EQ(shown, c.taken ? 4u : 0u);
        // Once the bricks lie the keys are the game's again.
        m_field->HandleSkipKey(13);
        EXPECT_FALSE(m_field->HandleSkipKey(13));
    }
}

TEST_F(PlayfieldTest, InsaneServesASmallBall)
{
    for (uint32_t difficulty : {1u, 3u}) {
        StartLaidGame(0, difficulty);
        EXPECT_EQ(FindSpriteAI<CBallAI>(m_field->GetBalls().GetHead())->IsSmall(), difficulty == 3);
    }
}

TEST_F(PlayfieldTest, LostBallCostsALifeThenEndsTheGameWithTheVerdictTwoSecondsLater)
{
    StartLaidGame();
    m_field->SetLives(1);
    m_field->AddPoints(250);
    m_field->GetBalls().DeleteAll();
    Step();
    EXPECT_EQ(m_field->GetLives(), 0);
    EXPECT_EQ(m_field->GetBalls().Count(), 1u);
    EXPECT_FALSE(m_field->IsGameOver());
    EXPECT_EQ(MessageLines(), (std::vector<std::string>{"Out of bounds penalty"}));

    m_field->GetBalls().DeleteAll();
    Step();
    EXPECT_TRUE(m_field->IsGameOver());
    EXPECT_EQ(MessageLines(), (std::vector<std::string>{"Game Over"}));
    EXPECT_TRUE(m_display->IsBlinking());
    EXPECT_EQ(m_display->GetTimeLeft(), 0.0f);
    // 2 seconds of steps run the delay out (the float count may leave a crumb for one more); the
    // step after gives the verdict, once.
    int verdictStep = 0;
    for (int step = 1; step <= 200 && !verdictStep; ++step) {
        Step();
        if (m_host.Count("ShowVerdict"))
            verdictStep = step;
    }
    EXPECT_GE(verdictStep, 121);
    EXPECT_LE(verdictStep, 122);
    Step(100);
    EXPECT_EQ(m_host.Count("ShowVerdict"), 1);
    EXPECT_EQ(m_host.Count("RecordFinishedGame"), 1);
    EXPECT_EQ(m_host.m_calls.back(), "ShowVerdict");
}

TEST_F(PlayfieldTest, GameOverStopsTheSprites)
{
    StartLaidGame();
    m_field->EndGame(1);
    CSprite* ball = m_field->GetBalls().GetHead();
    ball->SetVelocity(CFloatPoint{1.0f, 1.0f});
    const CFloatPoint before = ball->GetPosition();
    Step(10);
    EXPECT_EQ(ball->GetPosition(), before);
}

TEST_F(PlayfieldTest, ClearedRoundGivesItsBonusThenTalliesEachBallThenStartsTheNextRound)
{
    struct Case
    {
        const char* name;
        bool shipGone;
        bool fireSecondBall;
        int64_t bonus;
        int64_t secondBall;
    };
    for (const Case& c : {Case{"ship", false, false, 1000, 500}, Case{"no ship", true, false, 4000, 500},
                          Case{"fire ball", false, true, 1000, 1000}}) {
        SCOPED_TRACE(c.name);
        StartLaidGame(1);
        auto* second = new CAnimatedSprite;
        second->SetPosition(CFloatPoint{300.0f, 300.0f});
        second->AddAI(new CBallAI(second, c.fireSecondBall));
        m_field->GetBalls().Append(second);
        if (c.shipGone)
            m_field->GetShip().GetHead()->SetActive(false);
        KillBricks();
        Step();
        ASSERT_TRUE(m_field->IsRoundComplete());
        EXPECT_EQ(m_field->GetEndOfRoundDelay(), 45);

        uint32_t round = 0;
        int nextRound = 0;
        const std::map<int, int64_t> changes = RunAndLogScore(*m_field, m_host, 300, round, nextRound);
        EXPECT_EQ(changes, (std::map<int, int64_t>{{45, c.bonus}, {45 + 120, 500}, {45 + 139, c.secondBall}}));
        EXPECT_EQ(nextRound, 45 + 139 + 60);
        EXPECT_EQ(round, 2u);
    }
}

TEST_F(PlayfieldTest, RoundEndAnnouncesAndStopsTheBalls)
{
    StartLaidGame();
    m_field->GetShip().GetHead()->SetActive(false);
    CSprite* ball = m_field->GetBalls().GetHead();
    KillBricks();
    Step(1 + 45);
    EXPECT_EQ(ball->GetVelocity(), (CFloatPoint{0.0f, 0.0f}));
    EXPECT_TRUE(FindSpriteAI<CBallAI>(ball)->IsEndOfRound());
    EXPECT_EQ(MessageLines(),
              (std::vector<std::string>{"Round Complete", "1,000 Points", "No Ship Bonus", "3,000 Points"}));
    // The clocks stop with the round.
    const float time = m_host.m_gameTime;
    Step(10);
    EXPECT_EQ(m_host.m_gameTime, time);
    Step(120 - 10);
    EXPECT_EQ(MessageLines(), (std::vector<std::string>{"Bonus Points", "500 Points"}));
}

TEST_F(PlayfieldTest, BricksThatAreNotNeededOrDeadDoNotHoldTheRound)
{
    StartLaidGame();
    int needed = 0;
    for (CSprite* brick = m_field->GetBricks().GetHead(); brick; brick = brick->GetNext())
        if (FindSpriteAI<CBrickAI>(brick)->IsNeeded() && ++needed < 3)
            brick->SetFlag(CSprite::kDead, true);
    Step();
    EXPECT_FALSE(m_field->IsRoundComplete());
    // The last needed brick turning into a needed type still holds the round.
    CSprite* last = nullptr;
    for (CSprite* brick = m_field->GetBricks().GetHead(); brick; brick = brick->GetNext())
        if (FindSpriteAI<CBrickAI>(brick)->IsNeeded())
            last = brick;
    ASSERT_NE(last, nullptr);
    last->SetFlag(CSprite::kDead, true);
    Step();
    EXPECT_TRUE(m_field->IsRoundComplete());
}

TEST_F(PlayfieldTest, LastRoundCompletesTheGameThenGivesTheVerdict)
{
    StartLaidGame(kRoundsInFirst + 1);
    m_field->AddPoints(12000);
    KillBricks();
    Step(1 + 45 + 120 + 60);
    EXPECT_EQ(m_host.Count("Picture Completed Game"), 1);
    EXPECT_EQ(m_host.m_pictureText, "Ann/Normal/13,500");
    EXPECT_EQ(m_host.m_pictureSeconds, 30.0f);
    EXPECT_TRUE(m_field->IsGameOver());
    EXPECT_EQ(m_field->GetRound(), kRoundsInFirst + 1);
    Step();
    EXPECT_EQ(m_host.Count("ShowVerdict"), 1);
    EXPECT_EQ(m_host.m_lastRound, kRoundsInFirst + 1);
}

TEST_F(PlayfieldTest, VerdictRanksTheScoreAndArchivesOnlyHighScores)
{
    struct Case
    {
        uint32_t higher;
        uint32_t personalHigher;
        bool cheated;
        const char* verdict;
        int archived;
    };
    const Case cases[] = {
        {2, 0, false, "Your score of 12,345 ranks number 3 in the high scores list and is your personal best.", 1},
        {49, 3, false, "Your score of 12,345 ranks number 50 in the high scores list.", 1},
        {60, 24, false, "Your score of 12,345 ranks number 61 in the high scores list.", 1},
        {50, 25, false, "Your score of 12,345 is not high enough to qualify you for the high scores list.", 0},
        {0, 0, true,
         "Your score of 12,345 does not qualify you for the high scores list because you cheated.", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verdict);
        m_host.m_calls.clear();
        m_host.m_verdicts.clear();
        m_host.m_higher = c.higher;
        m_host.m_personalHigher = c.personalHigher;
        m_host.m_score = 12345;
        m_host.m_cheated = c.cheated;
        m_field->FinishGame();
        ASSERT_EQ(m_host.m_verdicts.size(), 1u);
        EXPECT_EQ(m_host.m_verdicts[0], c.verdict);
        // Recorded, kept, then saved once with the game in the history; the mode is left before the
        // dialog opens.
        std::vector<std::string> expected = {"RecordFinishedGame", "SaveFinishedGame", "ClearMode", "ShowVerdict"};
        if (c.archived)
            expected.insert(expected.begin() + 1, "ArchiveCurrentGame");
        EXPECT_EQ(m_host.m_calls, expected);
    }
}

TEST_F(PlayfieldTest, ScoreOfNothingGoesToTheMainMenuRecordingNothing)
{
    m_host.m_score = 0;
    m_field->FinishGame();
    EXPECT_EQ(m_host.m_calls, (std::vector<std::string>{"GoToMainMenu"}));
}

TEST_F(PlayfieldTest, CheatingCostsTheScoreWhenCheatsCount)
{
    for (bool count : {true, false}) {
        SCOPED_TRACE(count);
        StartLaidGame();
        m_host.m_cheatsCount = count;
        m_field->AddPoints(5000);
        m_field->OnCheatUsed();
        EXPECT_EQ(m_host.m_score, count ? 0u : 5000u);
        EXPECT_EQ(m_host.m_cheated, count);
        EXPECT_EQ(MessageLines(), (std::vector<std::string>{"You are cheating"}));
    }
    // Over, the game keeps what it had.
    StartLaidGame();
    m_host.m_cheatsCount = true;
    m_field->AddPoints(700);
    m_field->EndGame(1);
    m_field->OnCheatUsed();
    EXPECT_EQ(m_host.m_score, 700u);
}

TEST_F(PlayfieldTest, CheatedGameScoresNothingAndIsNotArchived)
{
    StartLaidGame();
    m_field->AddPoints(5000);
    m_field->OnCheatUsed();
    m_field->SetLives(0);
    m_field->GetBalls().DeleteAll();
    Step(1 + 122);
    EXPECT_EQ(m_host.Count("GoToMainMenu"), 1);
    EXPECT_EQ(m_host.Count("ArchiveCurrentGame"), 0);
    EXPECT_EQ(m_host.Count("RecordFinishedGame"), 0);
}

TEST_F(PlayfieldTest, PointsShowALineFromOneHundredAndForLosses)
{
    struct Case
    {
        int32_t points;
        const char* line;
        uint32_t score;
    };
    for (const Case& c : {Case{99, nullptr, 1099}, Case{100, "100 Points", 1100}, Case{-5, "-5 Points", 995},
                          Case{1500, "1,500 Points", 2500}, Case{-2000, "-2,000 Points", 0}}) {
        SCOPED_TRACE(c.points);
        m_display->Show("Hello", 1, 1.0f, false);
        m_host.m_score = 1000;
        m_field->AddPoints(c.points);
        EXPECT_EQ(m_host.m_score, c.score);
        std::vector<std::string> expected{"Hello"};
        if (c.line)
            expected.push_back(c.line);
        EXPECT_EQ(MessageLines(), expected);
        EXPECT_EQ(m_display->GetTimeLeft(), c.line ? 4.0f : 1.0f);
    }
}

TEST_F(PlayfieldTest, LayoutIsWrittenBackOnlyInDeveloperMode)
{
    // A layout typed by hand: written back, its text becomes the writer's whole form.
    const std::string typed = "CBrickLayout\r\n{\r\n\tDisplay Name=Kept\r\n}\r\n";
    for (bool developer : {false, true}) {
        SCOPED_TRACE(developer);
        testsupport::WriteFileBytes(LayoutPath(0), typed);
        m_host.m_developerMode = developer;
        m_field->StartNewGame(0, 1, false);
        EXPECT_EQ(testsupport::ReadFileBytes(LayoutPath(0)) != typed, developer);
        EXPECT_STREQ(m_field->GetBrickLayout().GetDisplayName().CStr(), "Kept");
    }
}

TEST_F(PlayfieldTest, MissingLayoutLeavesTheDefaultsAndTheRoundEndsAtOnce)
{
    std::filesystem::remove(LayoutPath(0));
    StartLaidGame();
    EXPECT_EQ(m_field->GetBricks().Count(), 0u);
    EXPECT_STREQ(m_field->GetBrickLayout().GetDisplayName().CStr(), "");
    Step();
    EXPECT_TRUE(m_field->IsRoundComplete());
}

TEST_F(PlayfieldTest, ClearedRoundRecordsTheCheckpointOfTheNextRound)
{
    struct Case
    {
        uint32_t round;
        bool cheated;
        std::set<std::pair<uint32_t, uint32_t>> reached;
    };
    const Case cases[] = {
        {0, false, {{0, 0}}},  // round 1 lies before checkpoint 1 (round 2)
        {1, false, {{0, 1}}},  // round 2 is checkpoint 1
        {4, false, {{0, 2}}},  // round 5 lies past the last checkpoint (round 4)
        {1, true, {}},         // a cheated game reaches nothing
        {6, false, {}},        // the second set has no checkpoints
        {7, false, {}},        // past the last round there is no next round
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.round);
        m_host.m_checkPoints.clear();
        StartLaidGame(c.round);
        m_host.m_cheated = c.cheated;
        KillBricks();
        Step();
        EXPECT_EQ(m_host.m_checkPoints, c.reached);
    }
}

TEST_F(PlayfieldTest, RoundNumbersRunThroughTheSets)
{
    struct Case
    {
        uint32_t round;
        bool inSets;
        uint32_t set;
        uint32_t index;
        const char* label;
    };
    for (const Case& c : {Case{0, true, 0, 0, "1-01"}, Case{5, true, 0, 5, "1-06"}, Case{6, true, 1, 0, "2-01"},
                          Case{7, true, 1, 1, "2-02"}, Case{8, false, 0, 0, "1-01"}}) {
        SCOPED_TRACE(c.round);
        uint32_t set = 99, index = 99;
        EXPECT_EQ(CPlayfield::ToRoundSetAndIndex(c.round, set, index), c.inSets);
        EXPECT_EQ(set, c.set);
        EXPECT_EQ(index, c.index);
        EXPECT_STREQ(CPlayfield::FormatRoundLabel(c.round).CStr(), c.label);
        if (c.inSets) {
            EXPECT_EQ(CPlayfield::ToAbsoluteRound(set, index), c.round);
        }
    }
    EXPECT_EQ(CPlayfield::GetTotalRoundCount(), kRoundsInFirst + 2);
}

TEST_F(PlayfieldTest, DeleteAllSpritesEmptiesEveryList)
{
    StartLaidGame();
    for (uint32_t id = 0; id < CPlayfield::kListCount; ++id)
        m_field->GetListById(id)->Append(new CSprite);
    m_field->DeleteAllSprites();
    for (uint32_t id = 0; id < CPlayfield::kListCount; ++id)
        EXPECT_EQ(m_field->GetListById(id)->Count(), 0u) << id;
}

TEST_F(PlayfieldTest, PowerUpsArePickedByTheLayoutsWeights)
{
    StartLaidGame();
    CSprite* brick = m_field->GetBricks().GetHead();
    std::map<uint32_t, int> kinds;
    for (int i = 0; i < 400; ++i) {
        CSprite* powerUp = m_field->SpawnPowerUp(brick, 0);
        ASSERT_NE(powerUp, nullptr);
        EXPECT_EQ(powerUp->GetPosition(), brick->GetPosition());
        ++kinds[FindSpriteAI<CPowerUpAI>(powerUp)->GetKind()];
    }
    // Weights 0, 3 and 1 for kinds 1 to 3: kind 1 never, kind 2 about three times as often as kind 3.
    EXPECT_EQ(kinds.count(1), 0u);
    EXPECT_GT(kinds[2], 2 * kinds[3]);
    EXPECT_GT(kinds[3], 0);
    EXPECT_EQ(FindSpriteAI<CPowerUpAI>(m_field->SpawnPowerUp(brick, 7))->GetKind(), 7u);
    EXPECT_EQ(m_field->SpawnPowerUp(nullptr, 1), nullptr);
}

TEST_F(PlayfieldTest, BallSpeedIsCountedAboveOneWhileTheRoundRuns)
{
    StartLaidGame();
    for (float speed : {0.5f, 1.0f, 2.0f, 4.0f})
        m_field->RecordBallSpeed(speed);
    EXPECT_EQ(m_field->GetBallSpeedCount(), 2.0f);
    EXPECT_EQ(m_field->GetBallSpeedSum(), 6.0f);
    EXPECT_EQ(m_field->GetLastBallSpeed(), 4.0f);
    KillBricks();
    Step();
    m_field->RecordBallSpeed(9.0f);
    EXPECT_EQ(m_field->GetBallSpeedCount(), 2.0f);
}

TEST_F(PlayfieldTest, TenThousandScriptedStepsPlayWholeGames)
{
    int games = 0;
    for (int step = 0; step < 10000; ++step) {
        if (step == 0 || m_host.Count("ShowVerdict") + m_host.Count("GoToMainMenu") > games) {
            games = m_host.Count("ShowVerdict") + m_host.Count("GoToMainMenu");
            m_field->StartNewGame(0, static_cast<uint32_t>(step % 4), false);
        }
        if (step % 7 == 0)
            m_field->HandleSkipKey(CPlayfield::kSpaceKey);
        CSprite* ship = m_field->GetShip().GetHead();
        if (step % 90 == 0 && ship)
            FindSpriteAI<CShipAI>(ship)->ReleaseBall(ship);
        if (step % 50 == 0 && m_field->GetBricks().GetHead()) {
            m_field->SpawnPowerUp(m_field->GetBricks().GetHead(), 0);
            m_field->AddPoints(step % 200 == 0 ? 100 : 10);
        }
        Step();
    }
    EXPECT_GT(m_host.Count("RecordFinishedGame"), 3);
    EXPECT_EQ(m_host.Count("ShowVerdict"), m_host.Count("RecordFinishedGame"));
}

} // namespace
