// The sound system: volumes, the voice limit, the device and its hand-over, no device at all.
#include "SoundTestSupport.h"

#include "sound/SoundOptions.h"

namespace {

using namespace soundtest;
using SoundSystem = SoundTest;

TEST_F(SoundSystem, MasterVolumeBelowMinusThreeThousandStopsEverythingAndRefuses)
{
    struct Case
    {
        int volume;
        bool off;
    } cases[] = {{0, false}, {-3000, false}, {-3001, true}, {-3333, true}};
    const std::string file = WriteTone("loop.wav", 100);
    CSoundBuffer* loop = NewBuffer(file, true);
    CSoundBuffer* other = NewBuffer(file);
    for (const Case& c : cases) {
        System().SetMasterVolume(0);
        ASSERT_TRUE(loop->Play(false));
        EXPECT_TRUE(System().SetMasterVolume(c.volume));
        EXPECT_EQ(loop->IsPlaying(), !c.off) << c.volume;
        EXPECT_EQ(System().IsInPlayingList(loop), !c.off) << c.volume;
        EXPECT_EQ(other->Play(false), !c.off) << c.volume;
        EXPECT_EQ(Device().GetMasterVolume(), c.volume);
        System().StopAllSounds();
    }
    // Raised again, sounds start again.
    System().SetMasterVolume(-3000);
    EXPECT_TRUE(other->Play(false));
}

TEST_F(SoundSystem, EffectsScaleShrinksTheVolumeRangeTowardsSilence)
{
    struct Case
    {
        float scale;
        int volume;
        int expected;
    } cases[] = {{1.0f, 0, 0},         {0.5f, 0, -1666},     {0.0f, 0, -3333},      {0.0f, -1000, -3333},
                 {0.5f, -1000, -2166}, {0.75f, -500, -1208}, {1.0f, -3333, -3333}, {0.99999f, 0, 0}};
    CDirectSoundBuffer* buffer = NewBuffer(WriteTone("a.wav", 100));
    for (const Case& c : cases) {
        System().SetEffectsScale(c.scale);
        EXPECT_EQ(System().GetEffectiveVolume(c.volume), c.expected) << c.scale << " " << c.volume;
    }
    for (const Case& c : {cases[0], cases[1], cases[2]}) {
        System().SetEffectsScale(c.scale);
        ASSERT_TRUE(buffer->Play(false));
        EXPECT_EQ(buffer->GetVoice()->GetVolume(), c.expected) << c.scale;
    }
}

TEST_F(SoundSystem, ASixthVoiceOfFiveIsRefusedUntilOneEnds)
{
    System().SetMaxVoices(5);
    std::vector<CSoundBuffer*> buffers;
    for (int i = 0; i < 6; ++i)
        buffers.push_back(NewBuffer(WriteTone(testsupport::Numbered("s", i, ".wav"), i == 0 ? 100 : 22050)));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(buffers[static_cast<size_t>(i)]->Play(true)) << i;
    EXPECT_FALSE(buffers[5]->Play(true));
    EXPECT_FALSE(buffers[5]->IsPlaying());
    EXPECT_EQ(System().CountVoices(), 5u);

    Device().Advance(10);   // the short one ends; it is found finished on the next count
    EXPECT_TRUE(System().IsInPlayingList(buffers[0]));
    EXPECT_TRUE(buffers[5]->Play(true));
    EXPECT_FALSE(System().IsInPlayingList(buffers[0]));
    EXPECT_EQ(System().CountVoices(), 5u);
}

TEST_F(SoundSystem, StopAllSoundsEmptiesTheListAlsoOfFinishedSounds)
{
    System().StopAllSounds();   // empty: nothing happens
    std::vector<CSoundBuffer*> buffers;
    for (int i = 0; i < 3; ++i) {
        buffers.push_back(NewBuffer(WriteTone(testsupport::Numbered("s", i, ".wav"), 10)));
        buffers.back()->Play(false);
    }
    Device().Advance(5);
    for (CSoundBuffer* buffer : buffers) {
        EXPECT_FALSE(buffer->IsPlaying());
        EXPECT_TRUE(System().IsInPlayingList(buffer));
    }
    System().StopAllSounds();
    for (CSoundBuffer* buffer : buffers)
        EXPECT_FALSE(System().IsInPlayingList(buffer));
}

TEST_F(SoundSystem, ASecondInitKeepsTheDeviceAsItIs)
{
    System().SetMasterVolume(-500);
    System().SetStereo(false);
    EXPECT_TRUE(System().Init());
    EXPECT_EQ(System().GetMasterVolume(), -500);
    EXPECT_EQ(Device().GetChannels(), 1);
    EXPECT_TRUE(Device().IsDeviceOpen());
}

TEST_F(SoundSystem, TheOutputIsHandedBackBehindAnotherProgram)
{
    CSoundBuffer* buffer = NewBuffer(WriteTone("a.wav", 22050, 1000), true);
    ASSERT_TRUE(buffer->Play(false));
    EXPECT_EQ(System().GetSavedSystemVolume(), 0);   // the device's volume when the program took it
    System().SetMasterVolume(-2000);
    Device().Advance(1);
    EXPECT_NEAR(Captured()[0], 100, 1);

    // Deactivation: the device's own volume comes back, and nothing is heard; the sound goes on.
    EXPECT_TRUE(System().RestoreSystemVolume());
    EXPECT_EQ(Device().GetMasterVolume(), 0);
    Device().Advance(10);
    EXPECT_EQ(Captured(), std::vector<int16_t>(220 * 2, 0));
    EXPECT_TRUE(buffer->IsPlaying());

    // Activation: save, then apply the program's volume.
    EXPECT_TRUE(System().SaveSystemVolume());
    EXPECT_TRUE(System().ApplyVolume());
    EXPECT_EQ(Device().GetMasterVolume(), -2000);
    Device().Advance(1);
    EXPECT_NEAR(Captured()[0], 100, 1);
}

TEST_F(SoundSystem, MuteSilencesForRealAndRefusesNewSounds)
{
    CSoundBuffer* buffer = NewBuffer(WriteTone("a.wav", 22050, 30000), true);
    CSoundBuffer* other = NewBuffer(WriteTone("b.wav", 100));
    ASSERT_TRUE(buffer->Play(false));
    EXPECT_TRUE(System().SetMute(true));
    EXPECT_FALSE(System().ApplyVolume());
    EXPECT_EQ(Device().GetMasterVolume(), -3333);
    Device().Advance(5);
    EXPECT_EQ(Captured(), std::vector<int16_t>(110 * 2, 0));   // silent, not 33 dB down
    EXPECT_FALSE(other->Play(false));
    EXPECT_TRUE(System().SetMute(false));
    EXPECT_EQ(Device().GetMasterVolume(), 0);
    Device().Advance(1);
    EXPECT_EQ(Captured()[0], 30000);
}

TEST_F(SoundSystem, StereoSwitchReopensTheDevice)
{
    CSoundBuffer* buffer = NewBuffer(WriteTone("a.wav", 22050, 1234), true);
    buffer->Play(false);
    EXPECT_TRUE(System().SetStereo(false));
    EXPECT_FALSE(System().IsStereo());
    Device().Advance(1);
    EXPECT_EQ(Captured(), std::vector<int16_t>(22, 1234));
    EXPECT_TRUE(System().SetStereo(true));
    Device().Advance(1);
    EXPECT_EQ(Captured(), std::vector<int16_t>(22 * 2, 1234));
    EXPECT_TRUE(buffer->IsPlaying());
}

TEST_F(SoundSystem, WithoutADeviceEveryCallAnswersFalseAndNothingPlays)
{
    const std::string file = WriteTone("a.wav", 100);
    System().Shutdown();
    Device().SetDeviceAvailable(false);
    EXPECT_FALSE(System().Init());
    EXPECT_FALSE(System().HasDevice());
    EXPECT_FALSE(System().SetMasterVolume(-100));
    EXPECT_FALSE(System().SetMute(true));
    EXPECT_FALSE(System().SetMute(false));
    EXPECT_FALSE(System().SaveSystemVolume());
    EXPECT_FALSE(System().RestoreSystemVolume());
    EXPECT_FALSE(System().SetStereo(true));
    CSoundBuffer* buffer = NewBuffer();
    ASSERT_NE(buffer, nullptr);
    EXPECT_FALSE(buffer->Load(file.c_str(), false, false));
    EXPECT_TRUE(buffer->Load(file.c_str(), false, true));   // deferred: only the name is kept
    EXPECT_FALSE(buffer->Play(true));
    EXPECT_FALSE(buffer->SetPan(100));
    EXPECT_FALSE(buffer->SetFrequency(11025));
    EXPECT_FALSE(buffer->SetVolume(0));
    EXPECT_FALSE(buffer->IsPlaying());
    EXPECT_EQ(System().CountVoices(), 0u);
    LoadSoundOptions();   // the start-up goes on silent
}

} // namespace
