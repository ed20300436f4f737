// The sound settings at start-up: values read from a settings file written as text, corrections
// of the effects scale and the channel count written back, mutes applied, and the slider scales.
#include "SoundTestSupport.h"
#include "foundation/ConfigFile.h"
#include "sound/SoundOptions.h"

#include <cmath>

using namespace soundtest;

namespace {

class SoundOptions : public SoundTest
{
protected:
    void SetUp() override
    {
        SoundTest::SetUp();
        m_oldConfig = g_configFile.GetPath();
        g_configFile.SetPath((m_dir / "Vantorel.CFG").c_str());
    }
    void TearDown() override
    {
        g_configFile.SetPath(m_oldConfig.c_str());
        SoundTest::TearDown();
    }
    void WriteSettings(const std::string& lines) { WriteFile("Vantorel.CFG", "[Options]\r\n" + lines); }
    std::string Stored(const char* key)
    {
        char text[64] = "(missing)";
        ReadConfigString(g_configFile.GetPath(), "Options", key, text, sizeof text);
        return text;
    }

    std::string m_oldConfig;
};

TEST_F(SoundOptions, OutOfRangeValuesAreCorrectedAndWrittenBack)
{
    struct Case
    {
        const char* lines;
        float scale;
        uint32_t voices;
        const char* storedScale;
        const char* storedChannels;
    };
    const Case cases[] = {
        {"SFx Voume=0.3\r\nSounds Mixing Channels=16\r\n", 0.5f, 32, "0.5", "32"},
        {"SFx Voume=1.7\r\nSounds Mixing Channels=0\r\n", 1.0f, 32, "1", "32"},
        {"SFx Voume=0.75\r\nSounds Mixing Channels=5\r\n", 0.75f, 5, "0.75", "5"},
        {"SFx Voume=0.5\r\nSounds Mixing Channels=32\r\n", 0.5f, 32, "0.5", "32"},
        {"SFx Voume=nan\r\nSounds Mixing Channels=-5\r\n", 1.0f, 32, "1", "32"},
        {"", 1.0f, 32, "(missing)", "(missing)"},   // defaults are applied, nothing written
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        WriteSettings(c.lines);
        System().SetMaxVoices(1);
        LoadSoundOptions();
        EXPECT_FLOAT_EQ(System().GetEffectsScale(), c.scale);
        EXPECT_EQ(System().GetMaxVoices(), c.voices);
        EXPECT_EQ(Stored(kEffectsVolumeKey), c.storedScale);
        EXPECT_EQ(Stored(kMixingChannelsKey), c.storedChannels);
    }
}

TEST_F(SoundOptions, MutesSilenceWithoutTouchingTheStoredVolumes)
{
    WriteSettings("Master Voume=-1200\r\nSFx Voume=0.8\r\nStereo Sounds=0\r\n");
    LoadSoundOptions();
    EXPECT_EQ(System().GetMasterVolume(), -1200);
    EXPECT_FLOAT_EQ(System().GetEffectsScale(), 0.8f);
    EXPECT_FALSE(System().IsStereo());

    WriteSettings("Master Voume=-1200\r\nMaster Mute=1\r\nSFx Voume=0.8\r\nSFx Mute=1\r\n");
    LoadSoundOptions();
    EXPECT_EQ(System().GetMasterVolume(), CSoundSystem::kSilentVolume);
    EXPECT_TRUE(System().RefusesSounds());
    EXPECT_EQ(System().GetEffectsScale(), 0.0f);
    EXPECT_TRUE(System().IsStereo());
    EXPECT_EQ(Stored(kMasterVolumeKey), "-1200");
    EXPECT_EQ(Stored(kEffectsVolumeKey), "0.8");
}

TEST(SoundSliders, PositionsMapToVolumesAndScales)
{
    EXPECT_EQ(VolumeToSliderPosition(-3333), 0);
    EXPECT_EQ(VolumeToSliderPosition(0), 3333);
    EXPECT_EQ(VolumeToSliderPosition(-800), 2533);
    EXPECT_EQ(SliderPositionToVolume(0), -3333);
    EXPECT_EQ(SliderPositionToVolume(3333), 0);

    EXPECT_EQ(EffectsScaleToSliderPosition(0.5f), 0);
    EXPECT_EQ(EffectsScaleToSliderPosition(1.0f), 3333);
    EXPECT_EQ(EffectsScaleToSliderPosition(0.75f), 1666);   // 1666.5 truncated
    EXPECT_FLOAT_EQ(SliderPositionToEffectsScale(0), 0.5f);
    // 0.5 + 3333 x 0.000150015 is 0.99999..., which a 32-bit float rounds to 1.0 at most.
    EXPECT_NEAR(SliderPositionToEffectsScale(3333), 0.99999f, 1.1e-5f);
    EXPECT_LE(SliderPositionToEffectsScale(3333), 1.0f);
    // Every position survives the way to a scale and back within one step.
    for (int position = 0; position <= 3333; ++position)
        ASSERT_LE(std::abs(EffectsScaleToSliderPosition(SliderPositionToEffectsScale(position)) - position), 1)
            << position;
}

} // namespace
