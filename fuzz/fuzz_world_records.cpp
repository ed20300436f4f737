// Plays arbitrary bytes as a demo of the game world's records (sprite and list draws, the field's
// clip, the middle layer, sounds, effect spawns, bursts of sparks in both forms, and every other
// record the game registers) through the demo recorder, against a small world on disk: sequences,
// particle generators, brick types and sounds, a live playfield and a 640 x 480 16-bit target.
// Playback must end within a bound the bytes set, every read must stay inside the stream, and the
// sprites a demo spawns are all the playfield holds afterwards (they are cleared after each input).
//
// The seed corpus is recorded by the world's own writers: run the corpus runner with
// VANTOREL_WRITE_SEEDS naming the folder (fuzz/corpus/fuzz_world_records) and it records the
// seeds there first.
#include "FuzzSupport.h"
#include "WorldFiles.h"
#include "app/DemoRecorder.h"
#include "app/ReplayStream.h"
#include "foundation/FileBuf.h"
#include "foundation/MathTables.h"
#include "game/Playfield.h"
#include "game/bricks/BrickInfo.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/ship/ParticleGeneratorCollection.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "game/sprites/RecordedSound.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/Frame.h"
#include "graphics/ScreenMode.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"
#include "sound/SoundBuffer.h"
#include "sound/SoundList.h"
#include "sound/SoundSystem.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using fuzzsupport::Check;

CFrame* Block(uint32_t w, uint32_t h, uint32_t rgb, int16_t hotX, int16_t hotY)
{
    return fuzzsupport::NewFrame32(w, h, hotX, hotY, [rgb](uint32_t, uint32_t) { return 0xFF000000u | rgb; });
}

void SaveSequence(const char* name, const std::vector<CFrame*>& frames, float rate)
{
    CSequence sequence;
    sequence.SetPropertiesToDefaults();
    sequence.SetFramesPerSecond(rate);
    for (CFrame* frame : frames)
        sequence.AddFrame(frame);
    Check(sequence.SaveProperties("Resources", name) &&
          (frames.empty() || sequence.SaveSourceImage("Resources", name, CSequenceSourceOptions())));
}

struct World
{
    worldfiles::CLoggingSoundSystem sound;
    CPlayfield playfield;
    CDirtyRectFrame target;
};

// The world, made once: every item loaded, so that no input's playback loads one.
World& GetWorld()
{
    static World* s_world = [] {
        auto* world = new World;
        SetDisplayBitsPerPixel(16);
        InitMathTables();
        CSoundSystem::SetInstance(&world->sound);
        // Sounds first: the brick types name theirs.
        worldfiles::WriteSounds();
        CSoundList::GetInstance().LoadFolder("Sounds", "Sounds", ".wav", ".ogg");
        std::filesystem::create_directories("Resources/-!None");
        SaveSequence("!None", {}, 15.0f);
        SaveSequence("Ball", {Block(4, 4, 0xE0C020, 2, 2)}, 60.0f);
        SaveSequence("Hull", {Block(10, 4, 0x3060C0, 5, 2)}, 60.0f);
        std::vector<CFrame*> spark;
        for (uint32_t i = 0; i < 5; ++i)
            spark.push_back(Block(3, 3, 0x404040u * (i + 1) + 0x10, 1, 1));
        SaveSequence("Spark", spark, 60.0f);
        std::vector<CFrame*> flash;
        for (uint32_t i = 0; i < 4; ++i)
            flash.push_back(Block(2 + i, 2 + i, 0xF08000u + 0x10 * i, 0, 0));
        SaveSequence("Flash", flash, 30.0f);
        SaveSequence("Mid", {Block(640, 480, 0x204020, 0, 0)}, 60.0f);
        CSequenceCollection& sequences = CSequenceCollection::GetInstance();
        sequences.SetUpAtStartUp();
        for (const char* name : {"Ball", "Hull", "Spark", "Flash", "Mid"})
            Check(sequences.FindSequence(name) != nullptr);

        worldfiles::WriteGenerators();
        CParticleGeneratorCollection& generators = CParticleGeneratorCollection::GetInstance();
        generators.SetUpAtStartUp();
        for (const char* name : {"Burst", "Effects/Cone"})
            Check(generators.FindGenerator(name) != nullptr);

        worldfiles::WriteBrickTypes();
        CResourceCollection& bricks = CBrickInfo::GetCollection();
        bricks.SetFolder("Resources");
        bricks.SetEntries({CSharedString("!None"), CSharedString("Rock")});
        Check(bricks.GetByName("Rock") != nullptr);


        world->playfield.SetMidground(sequences.FindSequence("Mid"));
        SetPlayfield(&world->playfield);
        world->target.Create(640, 480, 16);
        world->target.SetPageCount(1);
        world->target.MarkAllDirty();
        return world;
    }();
    return *s_world;
}

CSpriteList* const* Lists(CPlayfield& playfield)
{
    static CSpriteList* s_lists[] = {&playfield.GetBackgroundSprites(), &playfield.GetLowEffects(),
                                     &playfield.GetForeground(),       &playfield.GetPowerUps(),
                                     &playfield.GetShots(),            &playfield.GetBricks(),
                                     &playfield.GetFreedBalls(),       &playfield.GetShip(),
                                     &playfield.GetBalls()};
    return s_lists;
}

void ClearLists(CPlayfield& playfield)
{
    for (int i = 0; i < 9; ++i)
        Lists(playfield)[i]->DeleteAll();
}

// Records frames of every record the world's writers make, saved as a seed.
void RecordSeed(const std::string& path, int frames, bool sparksOnly)
{
    World& world = GetWorld();
    CPlayfield& field = world.playfield;
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    CAnimatedSprite ship;
    ship.AddSlot(sequences.FindSequence("Hull"));
    ship.AddSlot(sequences.FindSequence("Spark"))->SetFixedFrame(3);
    auto* ball = new CSprite;
    ball->SetSequence(sequences.FindSequence("Ball"));
    ball->SetPosition({501, 200});
    field.GetBalls().Append(ball);
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    recorder->StartRecording();
    for (int f = 0; f < frames; ++f) {
        ship.SetPosition({300.0f + 5 * f, 440});
        if (!sparksOnly) {
            field.DrawMidLayer(&world.target);
            field.SetClipToField(&world.target, true);
            ship.Draw(&world.target);
            for (CSpriteList* list : {&field.GetBalls(), &field.GetPowerUps(), &field.GetForeground()})
                field.DrawSpriteList(list, &world.target);
            field.SetClipToField(&world.target, false);
            PlaySoundRecorded(f % 2 ? "Pop Brick.wav" : "Bounce.wav");
            const CFloatPoint velocity{0.5f, -0.25f};
            field.SpawnEffectSprite(false, sequences.FindSequence("Flash"), {10.0f * f, 30}, &field.GetBalls(),
                                    f % 2 ? &velocity : nullptr, f % 3 ? 2.0f : 1.0f);
        }
        field.SpawnSparks({100, 100}, CPlayfield::kDiscShape, 4.0f * f, 0.0f, 0.5f * f,
                          CParticleGeneratorCollection::GetInstance().FindGenerator("Burst"), nullptr, nullptr);
        field.SpawnSparks({200, 120}, CPlayfield::kBoxShape, 16.0f, 9.0f, -1.0f,
                          CParticleGeneratorCollection::GetInstance().FindGenerator("Effects/Cone"),
                          dynamic_cast<CBrickInfo*>(CBrickInfo::GetCollection().GetByName("Rock")),
                          f % 2 ? &field.GetLowEffects() : nullptr);
        recorder->EndFrame();
    }
    recorder->SaveRecording(path.c_str(), VF_VERBATIM);
    recorder->Stop();
    ClearLists(field);
}

void WriteSeeds(const std::string& folder)
{
    RecordSeed(folder + "/three-frames.dem", 3, false);
    RecordSeed(folder + "/one-frame.dem", 1, false);
    RecordSeed(folder + "/sparks.dem", 4, true);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsupport::PrepareOnce(&WriteSeeds);
    World& world = GetWorld();
    if (size > (1u << 16))
        return 0;
    fuzzsupport::FatalScope fatal;
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    try {
        CFileBuf buffer;
        buffer.Write(data, static_cast<uint32_t>(size));
        const CSharedString name = buffer.MakeBufferName(".dem");
        recorder->SetTargetFrame(&world.target);
        Check(recorder->StartPlayback(nullptr, name.CStr(), 0));
        size_t frames = 0;
        while (recorder->IsPlaying()) {
            Check(frames++ <= 2 * size + 2);
            recorder->PlayFrame();
            recorder->EndFrame();
            Check(recorder->GetStream()->GetReadPosition() <= recorder->GetStream()->GetLength());
            world.playfield.GetForeground().UpdateAll();
        }
    } catch (const fuzzsupport::FatalEnd&) {
        // A name the stream refers to that the world lacks may be reported as not found.
    }
    if (recorder->GetState() != CDemoRecorder::kIdle)
        recorder->Stop();
    recorder->SetTargetFrame(nullptr);
    ClearLists(world.playfield);
    // Nothing of the input's is kept: the per-input leak check stays meaningful.
    world.sound.m_plays.clear();
    world.sound.m_plays.shrink_to_fit();
    return 0;
}
