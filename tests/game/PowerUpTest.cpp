// Power-ups: the fall, what collecting each kind does to the ship, the balls, the lives and the
// score, the sounds they play, and the bomb that a ball shoots down only once it is old enough.
#include "PlayfieldTestSupport.h"
#include "WorldTestSupport.h"

#include "game/bricks/BallAI.h"
#include "game/ship/PowerUpAI.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/FindSpriteAI.h"

#include <memory>

namespace {

using namespace playfieldtest;
using Kind = CPowerUpAI::Kind;

class PowerUpTest : public PlayfieldTest
{
protected:
    void SetUp() override
    {
        PlayfieldTest::SetUp();
        m_sounds = std::make_unique<worldtest::CLoggedSounds>(
            std::initializer_list<const char*>{"Score", "Multiply 3", "Multiply 8"});
        StartLaidGame();
        m_ship = m_field->GetShip().GetHead();
        m_shipAI = FindSpriteAI<CShipAI>(m_ship);
        m_host.m_score = 0;
    }

    // A capsule of the kind at (200, 100), not in any list; the caller owns it.
    std::unique_ptr<CAnimatedSprite> MakeCapsule(uint32_t kind)
    {
        auto capsule = std::make_unique<CAnimatedSprite>();
        capsule->SetPosition(CFloatPoint{200.0f, 100.0f});
        capsule->AddAI(new CPowerUpAI(capsule.get(), kind));
        return capsule;
    }

    void Collect(uint32_t kind)
    {
        auto capsule = MakeCapsule(kind);
        FindSpriteAI<CPowerUpAI>(capsule.get())->OnCollect(capsule.get(), m_ship);
        EXPECT_TRUE(capsule->IsDead());
    }

    CBallAI* FirstBall() { return FindSpriteAI<CBallAI>(m_field->GetBalls().GetHead()); }

    std::vector<int> TakePlays() { return m_sounds->Take(); }
    static int SoundIndex(const char* name) { return worldtest::CLoggedSounds::Index(name); }

    // The sounds of the pick-ups, played into a system that notes each start.
    std::unique_ptr<worldtest::CLoggedSounds> m_sounds;

    CSprite* m_ship = nullptr;
    CShipAI* m_shipAI = nullptr;
};

TEST_F(PowerUpTest, FallsAtItsSpeedAndTheBombTwiceAsFast)
{
    for (uint32_t kind : {uint32_t{Kind::kSlow}, uint32_t{Kind::kBomb}}) {
        auto capsule = MakeCapsule(kind);
        EXPECT_FLOAT_EQ(capsule->GetVelocity().m_y, kind == Kind::kBomb ? 200.0f / 60 : 100.0f / 60);
        EXPECT_FLOAT_EQ(capsule->GetVelocity().m_x, 0.0f);
    }
}

TEST_F(PowerUpTest, KindZeroShowsNothingAndGivesNoPoints)
{
    m_display->Clear();
    TakePlays();
    m_host.m_forceEffects.clear();
    Collect(Kind::kNone);
    EXPECT_EQ(m_host.m_score, 0u);
    EXPECT_TRUE(MessageLines().empty());
    EXPECT_TRUE(TakePlays().empty());
    EXPECT_EQ(m_host.m_forceEffects, std::vector<std::string>{"PowerUp"});
}

TEST_F(PowerUpTest, EveryKindButNoneAndTheBombShowsItsNameAndGivesOneHundred)
{
    struct Case
    {
        uint32_t kind;
        const char* name;
    };
    for (const Case& c : {Case{Kind::kSlow, "Ball Slow Down"}, Case{Kind::kExpandPaddle, "Shield Expander"},
                          Case{Kind::kBigGun, "Viz-E-Reveduv Gun"}, Case{Kind::kFast, "Ball Speed Up"}}) {
        SCOPED_TRACE(c.name);
        m_host.m_score = 0;
        Collect(c.kind);
        EXPECT_EQ(m_host.m_score, 100u);
        const std::vector<std::string> lines = MessageLines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[0], c.name);
        EXPECT_EQ(lines[1], "Power Up");
    }
}

TEST_F(PowerUpTest, ShieldAndGunKindsWorkOnTheShip)
{
    m_host.m_forceEffects.clear();
    Collect(Kind::kExpandPaddle);
    EXPECT_EQ(m_host.m_forceEffects, std::vector<std::string>{"Paddel Size Change PowerUp"});
    EXPECT_EQ(m_shipAI->GetShieldSize(), 3u);
    Collect(Kind::kShrinkPaddle);
    Collect(Kind::kShrinkPaddle);
    EXPECT_EQ(m_shipAI->GetShieldSize(), 1u);
    Collect(Kind::kGun);
    Collect(Kind::kGun);
    EXPECT_EQ(m_shipAI->GetGunType(), 1u);
    EXPECT_EQ(m_shipAI->GetGunLevel(), 2u);
    Collect(Kind::kBigGun);
    EXPECT_EQ(m_shipAI->GetGunType(), 2u);
    EXPECT_EQ(m_shipAI->GetGunLevel(), 1u);
    EXPECT_FALSE(m_shipAI->CanCatch());
    Collect(Kind::kCatch);
    EXPECT_TRUE(m_shipAI->CanCatch());
}

TEST_F(PowerUpTest, BallKindsChangeEveryBallAndSpeedsScale)
{
    FirstBall()->SplitBall(m_field->GetBalls().GetHead(), 3);
    ASSERT_EQ(m_field->GetBalls().Count(), 3u);
    const float speed = FirstBall()->GetSpeed();
    Collect(Kind::kSlow);
    EXPECT_NEAR(FirstBall()->GetSpeed(), speed * 0.74f, 1e-5f);
    Collect(Kind::kFast);
    EXPECT_NEAR(FirstBall()->GetSpeed(), speed * 0.74f * 1.35f, 1e-5f);
    struct Case
    {
        uint32_t kind;
        bool fire, rail, small;
    };
    for (const Case& c : {Case{Kind::kFireBall, true, false, false}, Case{Kind::kRailBall, false, true, false},
                          Case{Kind::kSmallBall, false, true, true}, Case{Kind::kFireBall, true, false, true},
                          Case{Kind::kNormalBall, false, false, false}}) {
        SCOPED_TRACE(c.kind);
        Collect(c.kind);
        for (CSprite* ball = m_field->GetBalls().GetHead(); ball; ball = ball->GetNext()) {
            const CBallAI* ai = FindSpriteAI<CBallAI>(ball);
            EXPECT_EQ(ai->IsFire(), c.fire);
            EXPECT_EQ(ai->IsRail(), c.rail);
            EXPECT_EQ(ai->IsSmall(), c.small);
        }
    }
}

TEST_F(PowerUpTest, MultiplySplitsTheFirstBallAndWithoutOneOnlyScores)
{
    ASSERT_GT(SoundIndex("Score.wav"), 0);
    TakePlays();
    Collect(Kind::kMultiply8);
    EXPECT_EQ(m_field->GetBalls().Count(), 8u);
    EXPECT_EQ(TakePlays(), (std::vector<int>{SoundIndex("Multiply 8.wav")}));
    Collect(Kind::kMultiply3);
    EXPECT_EQ(m_field->GetBalls().Count(), 10u);
    EXPECT_EQ(TakePlays(), (std::vector<int>{SoundIndex("Multiply 3.wav")}));
    m_field->GetBalls().DeleteAll();
    m_host.m_score = 0;
    Collect(Kind::kMultiply3);
    EXPECT_EQ(m_field->GetBalls().Count(), 0u);
    EXPECT_EQ(m_host.m_score, 100u);
    EXPECT_EQ(TakePlays(), (std::vector<int>{SoundIndex("Score.wav")}));
}

TEST_F(PowerUpTest, ExtraBallAddsALife)
{
    const int32_t lives = m_field->GetLives();
    Collect(Kind::kExtraBall);
    EXPECT_EQ(m_field->GetLives(), lives + 1);
}

TEST_F(PowerUpTest, BombTakesTheShipAndTheBallItHeldWithoutPoints)
{
    m_display->Clear();
    m_host.m_forceEffects.clear();
    Collect(Kind::kBomb);
    EXPECT_EQ(m_host.m_forceEffects, std::vector<std::string>{"Bomb Explodes"});
    EXPECT_EQ(m_host.m_score, 0u);
    EXPECT_FALSE(m_ship->IsActive());
    EXPECT_FALSE(m_shipAI->HoldsBall(m_field->GetBalls().GetHead()));
    ASSERT_FALSE(MessageLines().empty());
    EXPECT_EQ(MessageLines()[0], "Bomb");
    EXPECT_EQ(MessageLines().size(), 1u);
}

TEST_F(PowerUpTest, ABallShootsDownOnlyABombOlderThanTwelveUpdates)
{
    for (uint32_t kind : {uint32_t{Kind::kBomb}, uint32_t{Kind::kFast}}) {
        SCOPED_TRACE(kind);
        m_host.m_score = 0;
        auto capsule = MakeCapsule(kind);
        CPowerUpAI* ai = FindSpriteAI<CPowerUpAI>(capsule.get());
        for (int update = 0; update < 12; ++update)
            ai->Update(capsule.get(), 0);
        ai->OnHitByBall(capsule.get());
        EXPECT_FALSE(capsule->IsDead());
        ai->Update(capsule.get(), 0);
        ai->OnHitByBall(capsule.get());
        EXPECT_EQ(capsule->IsDead(), kind == Kind::kBomb);
        EXPECT_EQ(m_host.m_score, kind == Kind::kBomb ? 1000u : 0u);
    }
}

TEST_F(PowerUpTest, VariantsChangeNoBallOnceTheRoundIsComplete)
{
    KillBricks();
    Step(2);
    ASSERT_TRUE(m_field->IsRoundComplete());
    m_host.m_score = 0;
    Collect(Kind::kFireBall);
    EXPECT_EQ(m_host.m_score, 100u);
    if (CBallAI* ball = FirstBall()) {
        EXPECT_FALSE(ball->IsFire());
    }
}

} // namespace
