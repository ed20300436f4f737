#pragma once
// A game world on disk for the tests of demo records, effects and sparks: a work folder holding
// sequences (Properties.txt and source image, loaded through the sequence list at 16 bits),
// particle generators, brick types and sounds; a sound system that only logs what plays; a
// playfield handed to GetPlayfield; and the demo recorder's target frame.
#include "../foundation/FileTestHelpers.h"
#include "SpriteTestSupport.h"
#include "WorldFiles.h"
#include "app/DemoRecorder.h"
#include "app/ReplayFunction.h"
#include "app/ReplayStream.h"
#include "foundation/FileBuf.h"
#include "foundation/MathTables.h"
#include "foundation/OpenFlags.h"
#include "game/Playfield.h"
#include "game/bricks/BrickInfo.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/ship/ParticleGeneratorCollection.h"
#include "game/ship/ParticleGeneratorInfo.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/ScreenMode.h"
#include "graphics/SequenceCollection.h"
#include "objects/ObjectTextStream.h"
#include "sound/SoundBuffer.h"
#include "sound/SoundList.h"
#include "sound/SoundSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace worldtest {

using worldfiles::CLoggingSoundBuffer;
using worldfiles::CLoggingSoundSystem;

// A sound list of the named sounds (".wav" added; "!None" always, so that none of them is the
// silent index 0) in the folder "Sounds", played into a logging system; the list is emptied and
// the system given back when it goes.
class CLoggedSounds
{
public:
    explicit CLoggedSounds(std::initializer_list<const char*> names)
    {
        CSoundSystem::SetInstance(&m_system);
        CSoundList::GetInstance().FreeEntries();
        std::filesystem::create_directories("Sounds");
        std::ofstream(std::filesystem::path("Sounds") / "!None.wav") << "RIFF";
        for (const char* name : names)
            std::ofstream(std::filesystem::path("Sounds") / (std::string(name) + ".wav")) << "RIFF";
        CSoundList::GetInstance().LoadFolder("Sounds", "Sounds", ".wav", ".ogg");
    }
    ~CLoggedSounds()
    {
        CSoundList::GetInstance().FreeEntries();
        CSoundSystem::SetInstance(nullptr);
    }
    CLoggedSounds(const CLoggedSounds&) = delete;
    CLoggedSounds& operator=(const CLoggedSounds&) = delete;

    // The sounds started since the last call, by index in the sound list.
    std::vector<int> Take() { return std::exchange(m_system.m_plays, {}); }
    static int Index(const char* name) { return CSoundList::GetInstance().FindSoundIndex(name, -1); }

private:
    CLoggingSoundSystem m_system;
};

// A 32-bit frame of the rows ('.' transparent, anything else the opaque colour 0xRRGGBB).
inline CFrame* MakeFrame32(const std::vector<std::string>& rows, uint32_t rgb, int16_t hotX = 0, int16_t hotY = 0)
{
    return spritetest::MakeFrame(32, rows, hotX, hotY, 0xFF000000u | rgb);
}

inline CFrame* MakeBlock32(uint32_t width, uint32_t height, uint32_t rgb, int16_t hotX = 0, int16_t hotY = 0)
{
    return MakeFrame32(std::vector<std::string>(height, std::string(width, '#')), rgb, hotX, hotY);
}

// Writes the sequence "Resources/<name>" (its Properties.txt and source image) with the frames
// (taken over), the frame rate and the blit type; loaded undithered, so colours compare exactly.
inline void SaveSequence(const char* name, const std::vector<CFrame*>& frames, float rate = 60.0f,
                         const char* blitType = "Transparent Mask")
{
    CSequence sequence;
    sequence.SetPropertiesToDefaults();
    sequence.SetFramesPerSecond(rate);
    sequence.SetLoadFlags(sequence.GetLoadFlags() & ~CSequence::kDoDither);
    EXPECT_TRUE(sequence.SetBlitTypeByName(blitType));
    for (CFrame* frame : frames)
        sequence.AddFrame(frame);
    ASSERT_TRUE(sequence.SaveProperties("Resources", name));
    ASSERT_TRUE(sequence.SaveSourceImage("Resources", name, CSequenceSourceOptions()));
}

using worldfiles::GeneratorText;
using worldfiles::WriteText;

// Reads an object's properties from its text (the class line first); false when they do not read.
inline bool ReadObjectText(CObject& object, const std::string& text)
{
    auto* buffer = new CFileBuf;
    buffer->Write(text.data(), static_cast<uint32_t>(text.size()));
    buffer->Seek(0);
    CObjectTextStream stream;
    stream.OpenMemory(buffer, VF_READ);
    CSharedString className;
    return stream.ReadNonBlankTextLine(className) && object.ReadFromTextStream(stream);
}

// The object's text as the engine writes it.
inline std::string WrittenObjectText(const CObject& object)
{
    CObjectTextStream written;
    written.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    object.WriteToTextStream(written);
    const uint32_t size = written.GetSize();
    uint8_t* bytes = written.DetachBuffer();
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    std::free(bytes);
    return text;
}

// Colours of the world's sequences.
constexpr uint32_t kBallColour = 0xE0C020;
constexpr uint32_t kHullColour = 0x3060C0;
constexpr uint32_t kMidColour = 0x204020;

// The world on disk and loaded: sequences "!None" (no frames), "Ball" (1 frame), "Hull" (1),
// "Spark" (5 frames of 3 x 3 in five colours), "Flash" (4), "Mid" (a 640 x 480 still layer);
// generators "!None", "Burst" (12 sparks of Spark and Flash 3:1, 120 px/s, all round), "Cone"
// (8 sparks of Spark, 60 px/s, a cone of pi/2); brick types
// "!None" and "Rock" (break particles: Flash alone); sounds "!None.wav", "Bounce.wav",
// "Pop Brick.wav".
class WorldFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        m_savedDepth = GetDisplayBitsPerPixel();
        SetDisplayBitsPerPixel(16);
        InitMathTables();
        CSoundSystem::SetInstance(&m_sound);

        std::filesystem::create_directories("Resources/-!None");
        CSequence none;
        none.SetPropertiesToDefaults();
        ASSERT_TRUE(none.SaveProperties("Resources", "!None"));
        SaveSequence("Ball", {MakeFrame32({".##.", "####", "####", ".##."}, kBallColour, 2, 2)});
        SaveSequence("Hull", {MakeBlock32(10, 4, kHullColour, 5, 2)});
        std::vector<CFrame*> spark;
        for (uint32_t i = 0; i < 5; ++i)
            spark.push_back(MakeBlock32(3, 3, 0x404040u * (i + 1) + 0x10, 1, 1));
        SaveSequence("Spark", spark);
        std::vector<CFrame*> flash;
        for (uint32_t i = 0; i < 4; ++i)
            flash.push_back(MakeBlock32(2 + i, 2 + i, 0xF08000u + 0x10 * i));
        SaveSequence("Flash", flash, 30.0f);
        SaveSequence("Mid", {MakeBlock32(640, 480, kMidColour)});
        CSequenceCollection::GetInstance().SetUpAtStartUp();

        worldfiles::WriteGenerators();
        CParticleGeneratorCollection::GetInstance().SetUpAtStartUp();

        worldfiles::WriteBrickTypes();
        CResourceCollection& bricks = CBrickInfo::GetCollection();
        bricks.SetFolder("Resources");
        bricks.SetEntries({CSharedString("!None"), CSharedString("Rock")});

        worldfiles::WriteSounds();
        CSoundList::GetInstance().LoadFolder("Sounds", "Sounds", ".wav", ".ogg");

        SetPlayfield(&m_playfield);
    }

    void TearDown() override
    {
        CDemoRecorder* recorder = CDemoRecorder::GetInstance();
        if (recorder->GetState() != CDemoRecorder::kIdle)
            recorder->Stop();
        recorder->SetTargetFrame(nullptr);
        SetPlayfield(nullptr);
        m_playfield.GetForeground().DeleteAll();
        CSoundList::GetInstance().FreeEntries();
        CSoundSystem::SetInstance(nullptr);
        CBrickInfo::GetCollection().FreeEntries();
        CParticleGeneratorCollection::GetInstance().FreeEntries();
        CSequenceCollection::GetInstance().FreeEntries();
        SetDisplayBitsPerPixel(m_savedDepth);
    }

    filetest::WorkFolder m_folder;
    CLoggingSoundSystem m_sound;
    int32_t m_savedDepth = 16;
    CPlayfield m_playfield;
};

inline CSequence* Sequence(const char* name) { return CSequenceCollection::GetInstance().FindSequence(name); }
inline CParticleGeneratorInfo* Generator(const char* name)
{
    return CParticleGeneratorCollection::GetInstance().FindGenerator(name);
}
inline CBrickInfo* Brick(const char* name)
{
    return dynamic_cast<CBrickInfo*>(CBrickInfo::GetCollection().GetByName(name));
}

// Starts recording into an empty stream, so that the next record is the stream's first.
inline CReplayStream& RecordBare()
{
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    recorder->StartRecording();
    recorder->GetStream()->Clear();
    return *recorder->GetStream();
}
// A stream that reads what the recorder wrote, with the recorder's functions.
inline std::unique_ptr<CReplayStream> ReadBack()
{
    const CReplayStream& written = *CDemoRecorder::GetInstance()->GetStream();
    auto reader = std::make_unique<CReplayStream>();
    reader->RegisterFunctions(0);
    reader->AppendBytes(written.GetBytes(), written.GetLength());
    return reader;
}
// The name of the function whose record starts here.
inline std::string NextFunction(CReplayStream& reader)
{
    const uint32_t index = reader.ReadBits(reader.GetIndexWidth());
    return index < reader.GetFunctions().GetCount() ? reader.GetFunctions()[index]->GetName() : "?";
}
// Ends the recording and starts playing its bytes back.
inline void PlayBackRecording()
{
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    ASSERT_TRUE(recorder->SaveRecording("world.dem", VF_VERBATIM));
    ASSERT_TRUE(recorder->StartPlayback(nullptr, "world.dem", VF_VERBATIM));
}

// A 640 x 480 back buffer at 16 bits, blank and built as the game builds it (all dirty).
inline std::unique_ptr<CDirtyRectFrame> MakeScreen()
{
    auto screen = std::make_unique<CDirtyRectFrame>();
    screen->Create(640, 480, 16);
    screen->SetPageCount(1);
    screen->MarkAllDirty();
    return screen;
}

// The 16-bit pixel of the colour 0xRRGGBB.
inline uint16_t Pixel565(uint32_t rgb)
{
    return static_cast<uint16_t>((((rgb >> 16) & 0xF8) << 8) | (((rgb >> 8) & 0xFC) << 3) | ((rgb & 0xFF) >> 3));
}

} // namespace worldtest
