// Sound buffers: overlapping starts, looping, deferred decoding, duplicates, frequency and pan.
#include "SoundTestSupport.h"

#include "foundation/Stream.h"

#include <filesystem>

namespace {

using namespace soundtest;
using SoundBuffer = SoundTest;

TEST_F(SoundBuffer, OverlapAddsOneVoicePerFrameFromTheSpareChain)
{
    CSoundBuffer* sound = NewBuffer(WriteTone("a.wav", 22050));
    EXPECT_TRUE(sound->Play(true));
    EXPECT_FALSE(sound->Play(true));   // the same frame: no second voice
    EXPECT_EQ(System().CountVoices(), 1u);
    EXPECT_EQ(sound->GetSpare(), nullptr);

    System().NextFrame();
    EXPECT_FALSE(sound->Play(true));   // the spare plays, not this buffer
    ASSERT_NE(sound->GetSpare(), nullptr);
    EXPECT_TRUE(sound->GetSpare()->IsPlaying());
    EXPECT_EQ(System().CountVoices(), 2u);
    sound->Play(true);                 // a third call in the same frame adds nothing
    EXPECT_EQ(System().CountVoices(), 2u);

    System().NextFrame();
    sound->Play(true);                 // both busy: a new spare at the end of the chain
    ASSERT_NE(sound->GetSpare()->GetSpare(), nullptr);
    EXPECT_EQ(System().CountVoices(), 3u);
    auto* spare = static_cast<CDirectSoundBuffer*>(sound->GetSpare());
    EXPECT_TRUE(spare->GetVoice()->SharesDataWith(*static_cast<CDirectSoundBuffer*>(sound)->GetVoice()));
    EXPECT_EQ(spare->GetSize(), 0u);   // the data is the first buffer's

    // Once the first has finished it is the one that plays again; the chain does not grow.
    Device().Advance(1100);
    System().NextFrame();
    EXPECT_TRUE(sound->Play(true));
    System().NextFrame();
    sound->Play(true);
    EXPECT_EQ(sound->GetSpare()->GetSpare()->GetSpare(), nullptr);
    EXPECT_EQ(System().CountVoices(), 2u);

    // The limit holds for overlaps too.
    System().SetMaxVoices(2);
    System().NextFrame();
    EXPECT_FALSE(sound->Play(true));
    EXPECT_EQ(System().CountVoices(), 2u);
    EXPECT_TRUE(System().IsInPlayingList(sound));

    // Loading again lets the whole chain go (the leak checker sees it otherwise).
    EXPECT_TRUE(sound->Load(WriteTone("b.wav", 10).c_str(), false, false));
    EXPECT_EQ(sound->GetSpare(), nullptr);
    EXPECT_EQ(System().CountVoices(), 0u);
}

// A spare that cannot be made refuses the overlap.
class NoSpareSystem : public CDirectSoundSystem
{
public:
    CSoundBuffer* CreateBuffer() override { return refuse ? nullptr : CDirectSoundSystem::CreateBuffer(); }
    bool refuse = false;
};

TEST_F(SoundBuffer, ASpareThatCannotBeMadeRefusesTheOverlap)
{
    NoSpareSystem system;
    System().Shutdown();
    CSoundSystem::SetInstance(&system);
    ASSERT_TRUE(system.Init());
    CSoundBuffer* sound = NewBuffer(WriteTone("a.wav", 22050));
    ASSERT_TRUE(sound->Play(true));
    system.refuse = true;
    system.NextFrame();
    EXPECT_FALSE(sound->Play(true));
    EXPECT_EQ(sound->GetSpare(), nullptr);
    EXPECT_TRUE(sound->IsPlaying());
    EXPECT_EQ(system.CountVoices(), 1u);
    for (CSoundBuffer* buffer : m_buffers)
        system.DestroyBuffer(buffer);
    m_buffers.clear();
    CSoundSystem::SetInstance(m_system);
}

TEST_F(SoundBuffer, ALoopingSoundIsNotRestartedAndStaysWithinReachOfTheStop)
{
    auto* loop = NewBuffer(WriteTone("loop.wav", 22050), true);
    ASSERT_TRUE(loop->Play(false));
    Device().Advance(100);
    EXPECT_FALSE(loop->Play(false));
    EXPECT_EQ(loop->GetVoice()->GetPlayPosition(), 2205u * 2);   // not rewound
    EXPECT_TRUE(System().IsInPlayingList(loop));
    System().SetMute(true);   // refused, but the loop sounds on and stays counted
    EXPECT_FALSE(loop->Play(false));
    EXPECT_TRUE(System().IsInPlayingList(loop));
    System().SetMute(false);
    System().SetMasterVolume(-3001);
    EXPECT_FALSE(loop->IsPlaying());

    System().SetMasterVolume(0);
    EXPECT_TRUE(loop->Play(false));
    EXPECT_TRUE(loop->Stop());
    EXPECT_FALSE(loop->Stop());
    EXPECT_EQ(loop->GetVoice()->GetPlayPosition(), 0u);
    EXPECT_TRUE(loop->Play(false));

    // A one-shot sound without overlap starts again from its beginning.
    auto* once = NewBuffer(WriteTone("once.wav", 22050));
    ASSERT_TRUE(once->Play(false));
    Device().Advance(100);
    EXPECT_TRUE(once->Play(false));
    EXPECT_EQ(once->GetVoice()->GetPlayPosition(), 0u);
    EXPECT_EQ(System().CountVoices(), 2u);
}

TEST_F(SoundBuffer, ADeferredSoundDecodesOnItsFirstUse)
{
    const std::string file = WriteTone("a.wav", 100, 1000, 11025);
    struct Case
    {
        const char* use;
        bool (*run)(CSoundBuffer*);
    } cases[] = {{"Play", [](CSoundBuffer* b) { return b->Play(true); }},
                 {"SetPan", [](CSoundBuffer* b) { return b->SetPan(100); }},
                 {"SetFrequency", [](CSoundBuffer* b) { return b->SetFrequency(8000); }},
                 {"SetVolume", [](CSoundBuffer* b) { return b->SetVolume(-100); }}};
    for (const Case& c : cases) {
        CSoundBuffer* buffer = NewBuffer(file, false, true);
        EXPECT_FALSE(buffer->IsLoaded());
        EXPECT_EQ(buffer->GetDeferredName(), file);
        EXPECT_TRUE(c.run(buffer)) << c.use;
        EXPECT_TRUE(buffer->IsLoaded()) << c.use;
        EXPECT_FALSE(buffer->IsDeferred()) << c.use;
        EXPECT_EQ(buffer->GetNaturalFrequency(), 11025) << c.use;
        EXPECT_EQ(buffer->GetSize(), 200u) << c.use;
    }
}

TEST_F(SoundBuffer, FrequencyOutsideOneHundredToOneHundredThousandIsIgnoredButAnswered)
{
    struct Case
    {
        int hz;
        int expected;
    } cases[] = {{99, 22050}, {100, 100}, {100000, 100000}, {100001, 100000}, {0, 100000}, {-5, 100000}, {44100, 44100}};
    auto* buffer = NewBuffer(WriteTone("a.wav", 100));
    for (const Case& c : cases) {
        EXPECT_TRUE(buffer->SetFrequency(c.hz)) << c.hz;
        EXPECT_EQ(buffer->GetFrequency(), c.expected) << c.hz;
        EXPECT_EQ(buffer->GetVoice()->GetFrequency(), static_cast<uint32_t>(c.expected)) << c.hz;
    }
}

TEST_F(SoundBuffer, PanAnswersFalseWhenUnchanged)
{
    auto* buffer = NewBuffer(WriteTone("a.wav", 100));
    EXPECT_FALSE(buffer->SetPan(0));
    EXPECT_TRUE(buffer->SetPan(-2500));
    EXPECT_EQ(buffer->GetVoice()->GetPan(), -2500);
    buffer->GetVoice()->SetPan(40);   // the device's own value is not asked for
    EXPECT_FALSE(buffer->SetPan(-2500));
    EXPECT_EQ(buffer->GetVoice()->GetPan(), 40);
}

TEST_F(SoundBuffer, ADuplicateOfADeferredSoundWaitsForItsFirstUse)
{
    const std::string file = WriteTone("a.wav", 100, 1000, 16000);
    CSoundBuffer* original = NewBuffer(file, false, true);
    auto* copy = static_cast<CDirectSoundBuffer*>(NewBuffer());
    EXPECT_FALSE(copy->Duplicate(*original));
    EXPECT_TRUE(copy->IsDeferred());
    EXPECT_TRUE(copy->Play(false));
    EXPECT_TRUE(original->IsLoaded());
    EXPECT_TRUE(copy->IsLoaded());
    EXPECT_EQ(copy->GetSize(), 0u);
    EXPECT_EQ(copy->GetFrequency(), 16000);
    EXPECT_TRUE(copy->GetVoice()->SharesDataWith(*static_cast<CDirectSoundBuffer*>(original)->GetVoice()));
    EXPECT_FALSE(original->IsPlaying());
}

TEST_F(SoundBuffer, PreparedSoundsDecodeFromMemoryAndLetTheCopyGo)
{
    const std::string file = WriteTone("a.wav", 100);
    CSoundBuffer* buffer = NewBuffer(file, false, true);
    buffer->Prepare(false);
    const std::string memoryName = buffer->GetDeferredName();
    ASSERT_TRUE(CStream::IsBufferName(memoryName.c_str())) << memoryName;
    EXPECT_NE(memoryName.find(file), std::string::npos);
    buffer->Prepare(false);   // already in memory: left alone
    EXPECT_EQ(buffer->GetDeferredName(), memoryName);
    std::filesystem::remove(file);

    EXPECT_TRUE(buffer->Play(false));
    EXPECT_TRUE(buffer->IsLoaded());
    EXPECT_EQ(CStream::FindByBufferName(memoryName.c_str()), nullptr);   // decoded: the copy goes

    // A prepared sound that is never played lets its copy go with the buffer.
    CSoundBuffer* unused = NewBuffer(WriteTone("b.wav", 100), false, true);
    unused->Prepare(false);
    const std::string unusedName = unused->GetDeferredName();
    ASSERT_NE(CStream::FindByBufferName(unusedName.c_str()), nullptr);
    unused->Release();
    EXPECT_EQ(CStream::FindByBufferName(unusedName.c_str()), nullptr);

    // Prepare(true) decodes at once.
    CSoundBuffer* now = NewBuffer(WriteTone("c.wav", 100), false, true);
    now->Prepare(true);
    EXPECT_TRUE(now->IsLoaded());
}

TEST_F(SoundBuffer, FilesThatCannotBeDecodedLeaveTheBufferSilent)
{
    for (const std::string& bytes : {std::string("not a sound"), std::string(), WaveBytes(1, 16, 22050, "")}) {
        CSoundBuffer* buffer = NewBuffer();
        const std::string file = WriteFile("bad.wav", bytes);
        EXPECT_FALSE(buffer->Load(file.c_str(), false, false));
        EXPECT_FALSE(buffer->IsLoaded());
        EXPECT_FALSE(buffer->Play(true));
        EXPECT_FALSE(System().IsInPlayingList(buffer));
    }
    CSoundBuffer* missing = NewBuffer((m_dir / "missing.wav"), false, true);
    EXPECT_FALSE(missing->Play(false));
    EXPECT_EQ(System().CountVoices(), 0u);
}

} // namespace
