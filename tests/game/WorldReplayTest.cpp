// The game world's demo records: each record read back field by field with the stream's own
// readers (coordinate clamps, frame-index widths, list ids, flags, raw floats, sizes, directions),
// sounds that play and record, list draws and clipping played back on the live playfield, a
// recorded scene replayed pixel for pixel, unresolved references, and damaged streams.
#include "WorldTestSupport.h"

#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "game/sprites/EffectSpriteAI.h"
#include "game/sprites/RecordedSound.h"
#include "game/sprites/SpriteDrawRecord.h"
#include "game/sprites/WorldRecordFields.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <numbers>
#include <random>

using namespace worldtest;

namespace {

using WorldReplay = WorldFixture;

// Three bits written straight after a record: reading them back proves the record's fields had
// exactly the widths the reader took.
constexpr uint32_t kMarker = 5;

template <class Write>
std::unique_ptr<CReplayStream> RecordOne(Write write)
{
    CReplayStream& stream = RecordBare();
    write();
    stream.WriteBits(kMarker, 3);
    CDemoRecorder::GetInstance()->Stop();
    return ReadBack();
}

void ExpectMarkerAtTheEnd(CReplayStream& reader)
{
    EXPECT_EQ(reader.ReadBits(3), kMarker);
    EXPECT_EQ(reader.GetReadPosition(), reader.GetLength());
}

CReplayFunction* FindFunction(const char* name)
{
    CReplayFunctionTable& registry = CReplayFunction::GetRegistry();
    for (uint32_t i = 0; i < registry.GetCount(); ++i)
        if (std::strcmp(registry[i]->GetName(), name) == 0)
            return registry[i];
    return nullptr;
}

int SequenceIndex(const char* name)
{
    return CSequenceCollection::GetInstance().FindIndexByName(name, -1);
}

TEST_F(WorldReplay, SpriteDrawsClampTheirPositionAndCarryAFrameIndexOnlyForAnimations)
{
    auto foreign = spritetest::MakeEmptySequence(5);
    const struct
    {
        CSequence* sequence;
        uint32_t frame;
        int32_t x, y;
        int32_t reference;
        uint32_t storedX, storedY;
        uint32_t frameBits;
    } cases[] = {
        {Sequence("Ball"), 0, -300, 900, SequenceIndex("Ball"), 0, 1020, 0},
        {Sequence("Spark"), 4, 640, -190, SequenceIndex("Spark"), 830, 0, 3},
        {Sequence("Flash"), 3, 830, 831, SequenceIndex("Flash"), 1020, 1020, 2},
        // Not an entry of the sequence list: no sequence, and no frame index.
        {foreign.get(), 4, 10, 20, -1, 200, 210, 0},
    };
    for (const auto& c : cases) {
        auto reader = RecordOne([&] {
            CSprite sprite;
            sprite.SetSequence(c.sequence);
            sprite.SetFrameIndex(c.frame);
            sprite.SetPosition({static_cast<float>(c.x), static_cast<float>(c.y)});
            auto screen = MakeScreen();
            sprite.Draw(screen.get());
        });
        EXPECT_EQ(NextFunction(*reader), "CSprite::DrawFromStream");
        EXPECT_EQ(reader->ReadObjectReference(&CSequenceCollection::GetInstance()), c.reference);
        EXPECT_EQ(reader->ReadBits(10), c.storedX);
        EXPECT_EQ(reader->ReadBits(10), c.storedY);
        // The marker after the frame index proves the record's width.
        if (c.frameBits) {
            EXPECT_EQ(reader->ReadBits(c.frameBits), c.frame);
        }
        ExpectMarkerAtTheEnd(*reader);
    }
}

TEST_F(WorldReplay, SoundsOfTheListRecordAndReplayButNoneAndUnknownDoNothing)
{
    CSoundList& sounds = CSoundList::GetInstance();
    ASSERT_EQ(sounds.GetCount(), 3u);
    const int bounce = sounds.FindSoundIndex("Bounce.wav", -1);
    ASSERT_EQ(bounce, 1);
    auto reader = RecordOne([] {
        for (int silent : {0, -1, 3})
            EXPECT_EQ(PlaySoundByIndexRecorded(silent), nullptr) << silent;
        EXPECT_EQ(PlaySoundRecorded("Missing.wav"), nullptr);
        EXPECT_EQ(PlaySoundRecorded("!None.wav"), nullptr);
        EXPECT_NE(PlaySoundRecorded("Bounce.wav"), nullptr);
    });
    EXPECT_EQ(m_sound.m_plays, std::vector<int>{bounce});
    EXPECT_EQ(NextFunction(*reader), "PlaySoundFromStream");
    EXPECT_EQ(reader->ReadObjectReference(&sounds), bounce);
    ExpectMarkerAtTheEnd(*reader);

    // Played back: the same entry sounds again.
    RecordBare();
    PlaySoundByIndexRecorded(2);
    CDemoRecorder::GetInstance()->EndFrame();
    PlayBackRecording();
    CDemoRecorder::GetInstance()->PlayFrame();
    EXPECT_EQ(m_sound.m_plays, (std::vector<int>{bounce, 2, 2}));
}

TEST_F(WorldReplay, ListDrawsRecordTheirIdAndPlayBackTheLivePlayfieldsList)
{
    auto screen = MakeScreen();
    // Recorded with empty lists, a frame each: balls (8), power-ups (3), and an id past the lists.
    RecordBare();
    CReplayStream& stream = *CDemoRecorder::GetInstance()->GetStream();
    m_playfield.DrawSpriteList(&m_playfield.GetBalls(), screen.get());
    CDemoRecorder::GetInstance()->EndFrame();
    m_playfield.DrawSpriteList(&m_playfield.GetPowerUps(), screen.get());
    CDemoRecorder::GetInstance()->EndFrame();
    stream.BeginRecord(FindFunction("CPlayfield::DrawSpriteListFromStream"), CReplayStream::kDrawRecord);
    stream.WriteBits(12, 4);
    CDemoRecorder::GetInstance()->EndFrame();
    PlayBackRecording();

    // The live playfield holds a ball at (20, 30) and a power-up at (60, 30).
    for (auto [list, x] : {std::pair{&m_playfield.GetBalls(), 20.0f}, std::pair{&m_playfield.GetPowerUps(), 60.0f}}) {
        auto* sprite = new CSprite;
        sprite->SetSequence(Sequence("Ball"));
        sprite->SetPosition({x, 30});
        list->Append(sprite);
    }
    const uint16_t ball = Pixel565(kBallColour);
    for (const auto& [ballDrawn, powerUpDrawn] : {std::pair{true, false}, std::pair{false, true}, std::pair{false, false}}) {
        auto replayed = MakeScreen();
        CDemoRecorder::GetInstance()->SetTargetFrame(replayed.get());
        CDemoRecorder::GetInstance()->PlayFrame();
        EXPECT_EQ(replayed->GetRawPixel(20, 30) == ball, ballDrawn);
        EXPECT_EQ(replayed->GetRawPixel(60, 30) == ball, powerUpDrawn);
        CDemoRecorder::GetInstance()->EndFrame();
    }
    CDemoRecorder::GetInstance()->PlayFrame();
    EXPECT_FALSE(CDemoRecorder::GetInstance()->IsPlaying());
    m_playfield.GetBalls().DeleteAll();
    m_playfield.GetPowerUps().DeleteAll();
}

TEST_F(WorldReplay, EffectSpawnsRecordTheirFieldsAndTheListClampedToTheForeground)
{
    const CFloatPoint velocity{1.5f, -2.25f};
    auto reader = RecordOne([&] {
        CSprite* effect = m_playfield.SpawnEffectSprite(false, Sequence("Flash"), {100.4f, 50.6f}, &m_playfield.GetBalls(),
                                                        &velocity, 0.5f);
        ASSERT_NE(effect, nullptr);
        EXPECT_TRUE(effect->GetFlags() & CSprite::kNotRecorded);
        EXPECT_EQ(m_playfield.GetBalls().GetHead(), effect);
    });
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    EXPECT_EQ(NextFunction(*reader), "CPlayfield::SpawnAnimatedEffectSpriteFromStream");
    EXPECT_EQ(reader->ReadObjectReference(&sequences), SequenceIndex("Flash"));
    EXPECT_EQ(reader->ReadBits(2), 2u);
    EXPECT_TRUE(reader->ReadBool());
    EXPECT_TRUE(reader->ReadBool());
    EXPECT_EQ(reader->ReadBits(10), 290u);
    EXPECT_EQ(reader->ReadBits(10), 241u);
    uint32_t x = 0, y = 0, rate = 0;
    ASSERT_TRUE(reader->ReadDword(x) && reader->ReadDword(y) && reader->ReadDword(rate));
    EXPECT_EQ(std::bit_cast<float>(x), 1.5f);
    EXPECT_EQ(std::bit_cast<float>(y), -2.25f);
    EXPECT_EQ(std::bit_cast<float>(rate), 0.5f);
    ExpectMarkerAtTheEnd(*reader);
    m_playfield.GetBalls().DeleteAll();

    // Played back: into the foreground, with the velocity and the animation rate.
    RecordBare();
    m_playfield.SpawnEffectSprite(false, Sequence("Flash"), {100.4f, 50.6f}, &m_playfield.GetBalls(), &velocity, 0.5f);
    CDemoRecorder::GetInstance()->EndFrame();
    m_playfield.GetBalls().DeleteAll();
    PlayBackRecording();
    CDemoRecorder::GetInstance()->PlayFrame();
    EXPECT_EQ(m_playfield.GetBalls().Count(), 0u);
    ASSERT_EQ(m_playfield.GetForeground().Count(), 1u);
    const CSprite* replayed = m_playfield.GetForeground().GetHead();
    EXPECT_EQ(replayed->GetSequence(), Sequence("Flash"));
    EXPECT_EQ(replayed->GetPosition(), (CFloatPoint{100, 51}));
    EXPECT_EQ(replayed->GetVelocity(), velocity);
    const auto* animation = dynamic_cast<const CEffectSpriteAI*>(replayed->GetBehaviours());
    ASSERT_NE(animation, nullptr);
    EXPECT_FLOAT_EQ(animation->GetRate(), 30.0f / 60.0f * 0.5f);
}

TEST_F(WorldReplay, SparksRecordOneRecordPerBurstInTheSmallOrTheFullFormat)
{
    CParticleGeneratorCollection& generators = CParticleGeneratorCollection::GetInstance();
    const int burst = generators.FindIndexByName("Burst", -1);
    const int cone = generators.FindIndexByName("Effects/Cone", -1);
    ASSERT_GE(burst, 0);
    ASSERT_GE(cone, 0);
    // The disc without size b or brick type: the small format, here with size a.
    auto reader = RecordOne([&] {
        m_playfield.SpawnSparks({200.2f, 150.7f}, CPlayfield::kDiscShape, 7.9f, 0.0f, 1.0f, Generator("Burst"), nullptr, nullptr);
    });
    EXPECT_EQ(NextFunction(*reader), "CPlayfield::SpawnSparksFromStreamSmallFormat");
    EXPECT_EQ(reader->ReadObjectReference(&generators), burst);
    EXPECT_TRUE(reader->ReadBool());
    EXPECT_EQ(reader->ReadBits(5), 7u);
    EXPECT_EQ(reader->ReadBits(10), 390u);
    EXPECT_EQ(reader->ReadBits(10), 341u);
    ExpectMarkerAtTheEnd(*reader);

    // The box, or a brick type, or size b: the full format, sizes clamped to 30 and 15.
    uint8_t direction = 0;
    reader = RecordOne([&] {
        m_playfield.SpawnSparks({100, 400}, CPlayfield::kBoxShape, 40.0f, 20.0f, -1.0f, Generator("Effects/Cone"), Brick("Rock"),
                                &m_playfield.GetLowEffects());
    });
    EXPECT_EQ(NextFunction(*reader), "CPlayfield::SpawnSparksFromStream");
    EXPECT_EQ(reader->ReadObjectReference(&generators), cone);
    EXPECT_EQ(reader->ReadBits(2), 1u);
    EXPECT_EQ(reader->ReadObjectReference(&CBrickInfo::GetCollection()), 1);
    EXPECT_EQ(reader->ReadBits(5), 30u);
    EXPECT_EQ(reader->ReadBits(4), 15u);
    ASSERT_TRUE(reader->ReadByte(direction));
    EXPECT_EQ(direction, static_cast<uint8_t>((-1.0 + 2 * std::numbers::pi) / (4 * std::numbers::pi) * 255));
    EXPECT_EQ(reader->ReadBits(20), (590u << 10) | 290u);
    ExpectMarkerAtTheEnd(*reader);

    m_playfield.GetLowEffects().DeleteAll();
    m_playfield.GetForeground().DeleteAll();
}

// The pixels of a 16-bit frame, row by row.
std::vector<uint8_t> Snapshot(const CFrame& frame)
{
    std::vector<uint8_t> pixels;
    for (uint32_t y = 0; y < frame.GetHeight(); ++y) {
        const uint8_t* row = frame.GetPixels() + static_cast<size_t>(frame.GetRowOffsets()[y]) * 2;
        pixels.insert(pixels.end(), row, row + frame.GetWidth() * 2u);
    }
    return pixels;
}

TEST_F(WorldReplay, ARecordedSceneReplaysIntoABlankFramePixelForPixel)
{
    m_playfield.SetMidground(Sequence("Mid"));
    auto* ship = new CAnimatedSprite;
    ship->AddSlot(Sequence("Hull"));
    CAnimationSlot* exhaust = ship->AddSlot(Sequence("Spark"));
    exhaust->SetOffset({8, -3});
    ship->AddSlot(Sequence("Ball"))->SetFlag(CAnimationSlot::kVisible, false);
    m_playfield.GetShip().Append(ship);
    auto* brick = new CSprite;
    brick->SetSequence(Sequence("Ball"));
    brick->SetPosition({100, 100});
    m_playfield.GetBricks().Append(brick);
    // Half across the field's right edge, so the clip shows.
    auto* ball = new CSprite;
    ball->SetSequence(Sequence("Ball"));
    ball->SetPosition({501, 200});
    m_playfield.GetBalls().Append(ball);
    // Drawn after the clip is lifted, outside the field.
    CSprite outside;
    outside.SetSequence(Sequence("Spark"));
    outside.SetPosition({600, 20});

    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    auto live = MakeScreen();
    std::vector<std::vector<uint8_t>> frames;
    recorder->StartRecording();
    for (int f = 0; f < 6; ++f) {
        if (f == 1) {
            const CFloatPoint velocity{1.0f, 0.5f};
            m_playfield.SpawnEffectSprite(false, Sequence("Flash"), {300, 300}, nullptr, &velocity, 1.0f);
        }
        ship->SetPosition({250.0f + 3.0f * f, 440});
        exhaust->SetFixedFrame(static_cast<uint32_t>(f) % 5);
        outside.SetFrameIndex(static_cast<uint32_t>(4 - f % 5));
        m_playfield.DrawMidLayer(live.get());
        m_playfield.SetClipToField(live.get(), true);
        for (CSpriteList* list : {&m_playfield.GetBricks(), &m_playfield.GetShip(), &m_playfield.GetBalls(),
                                  &m_playfield.GetForeground()})
            m_playfield.DrawSpriteList(list, live.get());
        m_playfield.SetClipToField(live.get(), false);
        outside.Draw(live.get());
        frames.push_back(Snapshot(*live));
        recorder->EndFrame();
        m_playfield.GetForeground().UpdateAll();
    }
    // The scene draws something of every kind: the clipped ball, the effect, the sprite outside.
    EXPECT_EQ(live->GetRawPixel(500, 200), Pixel565(kBallColour));
    EXPECT_EQ(live->GetRawPixel(501, 200), Pixel565(kMidColour));
    EXPECT_NE(live->GetRawPixel(600, 20), Pixel565(kMidColour));
    EXPECT_EQ(m_playfield.GetForeground().Count(), 1u);
    PlayBackRecording();

    // The replay acts on a playfield of its own, whose lists only the replayed effect fills.
    CPlayfield replayField;
    replayField.SetMidground(Sequence("Mid"));
    SetPlayfield(&replayField);
    auto replayed = MakeScreen();
    recorder->SetTargetFrame(replayed.get());
    for (size_t f = 0; f < frames.size(); ++f) {
        recorder->PlayFrame();
        ASSERT_TRUE(recorder->IsPlaying());
        EXPECT_TRUE(Snapshot(*replayed) == frames[f]) << "frame " << f;
        recorder->EndFrame();
        replayField.GetForeground().UpdateAll();
    }
    recorder->PlayFrame();
    EXPECT_FALSE(recorder->IsPlaying());
    SetPlayfield(&m_playfield);
}

// A spark of a replayed burst: its sequence among the kinds, within the burst's shape and speed.
void ExpectSpark(const CSprite& spark, const std::vector<const CSequence*>& kinds, float minSpeed, float maxSpeed)
{
    EXPECT_NE(std::find(kinds.begin(), kinds.end(), spark.GetSequence()), kinds.end());
    const float speed = std::hypot(spark.GetVelocity().m_x, spark.GetVelocity().m_y);
    EXPECT_GE(speed, minSpeed * 0.999f);
    EXPECT_LE(speed, maxSpeed);
}

TEST_F(WorldReplay, BurstsOfSparksReplayAsNewBurstsOfTheSameParameters)
{
    RecordBare();
    m_playfield.SpawnSparks({200, 150}, CPlayfield::kDiscShape, 12.0f, 0.0f, 0.0f, Generator("Burst"), nullptr, nullptr);
    m_playfield.SpawnSparks({100, 400}, CPlayfield::kBoxShape, 20.0f, 6.0f, 0.0f, Generator("Burst"), Brick("Rock"),
                            &m_playfield.GetLowEffects());
    CDemoRecorder::GetInstance()->EndFrame();
    EXPECT_EQ(m_playfield.GetForeground().Count(), 12u);
    EXPECT_EQ(m_playfield.GetLowEffects().Count(), 12u);
    std::vector<CFloatPoint> livePositions;
    for (const CSprite* s = m_playfield.GetForeground().GetHead(); s; s = s->GetNext())
        livePositions.push_back(s->GetPosition());
    m_playfield.GetForeground().DeleteAll();
    m_playfield.GetLowEffects().DeleteAll();

    PlayBackRecording();
    CDemoRecorder::GetInstance()->PlayFrame();
    ASSERT_EQ(m_playfield.GetForeground().Count(), 12u);
    ASSERT_EQ(m_playfield.GetLowEffects().Count(), 12u);
    const CSprite* spark = m_playfield.GetForeground().GetHead();
    bool movedSomewhereElse = false;
    for (int i = 0; i < 12; ++i, spark = spark->GetNext()) {
        ExpectSpark(*spark, {Sequence("Spark"), Sequence("Flash")}, 1.5f, 2.5f);
        EXPECT_LE(std::hypot(spark->GetPosition().m_x - 200, spark->GetPosition().m_y - 150), 12.0f);
        movedSomewhereElse |= !(spark->GetPosition() == livePositions[static_cast<size_t>(i)]);
    }
    EXPECT_TRUE(movedSomewhereElse);
    // The brick's own particles, in the box, in the low effects.
    for (const CSprite* s = m_playfield.GetLowEffects().GetHead(); s; s = s->GetNext()) {
        ExpectSpark(*s, {Sequence("Flash")}, 1.5f, 2.5f);
        EXPECT_LE(std::abs(s->GetPosition().m_x - 100), 20.0f);
        EXPECT_LE(std::abs(s->GetPosition().m_y - 400), 6.0f);
    }
    m_playfield.GetLowEffects().DeleteAll();
}

TEST_F(WorldReplay, UnresolvedItemsAndFramesPastTheEndReadTheirFieldsAndDoNothing)
{
    // Recorded against the full data; played where "Ball" and "Burst" are missing.
    auto screen = MakeScreen();
    CSprite ball;
    ball.SetSequence(Sequence("Ball"));
    ball.SetPosition({40, 40});
    CReplayStream& stream = RecordBare();
    ball.Draw(screen.get());
    m_playfield.SpawnSparks({50, 50}, CPlayfield::kBoxShape, 5.0f, 5.0f, 0.0f, Generator("Burst"), nullptr, nullptr);
    RecordSpriteDraw(stream, Sequence("Spark"), 7, 80, 40);
    ball.SetSequence(Sequence("Hull"));
    ball.Draw(screen.get());
    CDemoRecorder::GetInstance()->EndFrame();
    m_playfield.GetForeground().DeleteAll();

    std::filesystem::remove_all("Resources/-Ball");
    std::filesystem::remove("Resources/Burst.PGen");
    CSequenceCollection::GetInstance().SetUpAtStartUp();
    CParticleGeneratorCollection::GetInstance().SetUpAtStartUp();
    PlayBackRecording();
    auto replayed = MakeScreen();
    CDemoRecorder::GetInstance()->SetTargetFrame(replayed.get());
    CDemoRecorder::GetInstance()->PlayFrame();
    // The missing ball, the missing generator and frame 7 of five drew and spawned nothing; the
    // hull after them still drew where it was recorded.
    EXPECT_EQ(m_playfield.GetForeground().Count(), 0u);
    uint32_t drawn = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            drawn += replayed->GetRawPixel(x, y) != 0;
    EXPECT_EQ(drawn, 10u * 4u);
    EXPECT_EQ(replayed->GetRawPixel(40, 40), Pixel565(kHullColour));
    EXPECT_TRUE(CDemoRecorder::GetInstance()->IsPlaying());
}

TEST_F(WorldReplay, DamagedStreamsEndPlaybackWithoutHarm)
{
    // A demo of every record.
    CAnimatedSprite ship;
    ship.AddSlot(Sequence("Hull"));
    ship.AddSlot(Sequence("Spark"))->SetFixedFrame(3);
    ship.SetPosition({320, 440});
    auto screen = MakeScreen();
    m_playfield.SetMidground(Sequence("Mid"));
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    recorder->StartRecording();
    for (int f = 0; f < 3; ++f) {
        m_playfield.DrawMidLayer(screen.get());
        m_playfield.SetClipToField(screen.get(), true);
        ship.Draw(screen.get());
        m_playfield.DrawSpriteList(&m_playfield.GetForeground(), screen.get());
        m_playfield.SetClipToField(screen.get(), false);
        PlaySoundRecorded("Pop Brick.wav");
        const CFloatPoint velocity{0.5f, 0.5f};
        m_playfield.SpawnEffectSprite(false, Sequence("Flash"), {10, 10}, nullptr, &velocity, 2.0f);
        m_playfield.SpawnSparks({100, 100}, CPlayfield::kDiscShape, 4.0f, 0.0f, 0.0f, Generator("Burst"), nullptr, nullptr);
        m_playfield.SpawnSparks({100, 100}, CPlayfield::kBoxShape, 4.0f, 3.0f, 1.0f, Generator("Burst"), Brick("Rock"), nullptr);
        recorder->EndFrame();
    }
    ASSERT_TRUE(recorder->SaveRecording("world.dem", VF_VERBATIM));
    m_playfield.GetForeground().DeleteAll();
    const std::string whole = testsupport::ReadFileBytes("world.dem");
    ASSERT_GT(whole.size(), 40u);

    auto target = MakeScreen();
    recorder->SetTargetFrame(target.get());
    std::mt19937 random(29);
    auto play = [&](const std::string& bytes) {
        testsupport::WriteFileBytes("damaged.dem", bytes);
        ASSERT_TRUE(recorder->StartPlayback(nullptr, "damaged.dem", VF_VERBATIM));
        for (size_t calls = 0; recorder->IsPlaying() && calls <= bytes.size() + 1; ++calls) {
            recorder->PlayFrame();
            recorder->EndFrame();
            m_playfield.GetForeground().UpdateAll();
        }
        EXPECT_FALSE(recorder->IsPlaying());
        m_playfield.GetForeground().DeleteAll();
    };
    for (size_t length = 0; length < whole.size(); length += 3)
        play(whole.substr(0, length));
    for (int round = 0; round < 150; ++round) {
        std::string bytes = whole;
        for (int flips = 0; flips < 1 + round % 6; ++flips)
            bytes[random() % bytes.size()] = static_cast<char>(random());
        play(bytes);
    }
}

} // namespace
