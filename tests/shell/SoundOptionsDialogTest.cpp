// The Sound Options dialog on the headless sound device: sliders and mutes applied and written at
// once, the far-left master slider stopping every sound, the music mute keeping the slider.
#include "../app/AppTestSupport.h"
#include "OptionsDialogTestSupport.h"
#include "shell/dialogs/SoundOptionsDialog.h"
#include "sound/DirectSoundBuffer.h"
#include "sound/DirectSoundSystem.h"
#include "sound/SoundOptions.h"
#include "ui/JButton.h"
#include "ui/JSlider.h"
#include "ui/JToggleButton.h"
#include "ui/WindowWatch.h"

namespace {

// A RIFF WAVE of one second of a 16-bit mono tone, as any recorder writes it.
std::string ToneWave()
{
    auto u32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    auto u16 = [](uint32_t v) { return std::string{char(v), char(v >> 8)}; };
    const std::string pcm(22050 * 2, '\x20');
    const std::string format = "fmt " + u32(16) + u16(1) + u16(1) + u32(22050) + u32(44100) + u16(2) + u16(16);
    const std::string data = "data" + u32(static_cast<uint32_t>(pcm.size())) + pcm;
    return "RIFF" + u32(static_cast<uint32_t>(4 + format.size() + data.size())) + "WAVE" + format + data;
}

class SoundOptionsDialog : public OptionsDialogTest
{
protected:
    void SetUp() override
    {
        OptionsDialogTest::SetUp();
        platform::GetHeadlessBackend().GetHeadlessMixer().Reset();
        CSoundSystem::SetInstance(&m_sound);
        ASSERT_TRUE(m_sound.Init());
    }
    void TearDown() override
    {
        m_screen.reset();
        if (m_buffer)
            m_sound.DestroyBuffer(m_buffer);
        m_sound.Shutdown();
        CSoundSystem::SetInstance(nullptr);
        OptionsDialogTest::TearDown();
    }
    CSoundOptionsDialog* Open()
    {
        CSoundOptionsDialog* dialog = OpenSoundOptionsDialog(m_screen.get());
        m_watch.Watch(dialog);
        return dialog;
    }

    CDirectSoundSystem m_sound;
    CSoundBuffer* m_buffer = nullptr;
    CWindowWatch m_watch{nullptr};
};

TEST_F(SoundOptionsDialog, OpensWithTheStoredValuesAndTheSoundSystemsSwitches)
{
    WriteSettings("Master Voume=-1000\r\nMaster Mute=1\r\nSFx Voume=0.75\r\nMusic Volume=-2000\r\n");
    m_sound.SetStereo(false);
    m_sound.SetMaxVoices(kFasterMixingChannels);
    CSoundOptionsDialog* dialog = Open();
    EXPECT_EQ(dialog->GetSlider(CSoundOptionsDialog::kMaster)->GetValue(), 2333);
    EXPECT_TRUE(dialog->GetMute(CSoundOptionsDialog::kMaster)->IsChecked());
    EXPECT_EQ(dialog->GetSlider(CSoundOptionsDialog::kEffects)->GetValue(), 1666);
    EXPECT_FALSE(dialog->GetMute(CSoundOptionsDialog::kEffects)->IsChecked());
    EXPECT_EQ(dialog->GetSlider(CSoundOptionsDialog::kMusic)->GetValue(), 1333);
    EXPECT_TRUE(dialog->GetMono()->IsChecked());
    EXPECT_FALSE(dialog->GetStereo()->IsChecked());
    EXPECT_TRUE(dialog->GetFaster()->IsChecked());
    // The choice pairs end where the slider column ends.
    EXPECT_EQ(dialog->GetMono()->GetRect().m_right, dialog->GetSlider(CSoundOptionsDialog::kMaster)->GetRect().m_right);
    EXPECT_EQ(dialog->GetFaster()->GetRect().m_right,
              dialog->GetSlider(CSoundOptionsDialog::kMaster)->GetRect().m_right);

    dialog->GetStereo()->Click();
    EXPECT_TRUE(m_sound.IsStereo());
    EXPECT_EQ(Stored(kStereoKey), "1");
    dialog->GetBest()->Click();
    EXPECT_EQ(m_sound.GetMaxVoices(), kBestMixingChannels);
    EXPECT_EQ(Stored(kMixingChannelsKey), "32");
    dialog->GetDone()->Click();
    EXPECT_FALSE(m_watch.IsAlive());
}

TEST_F(SoundOptionsDialog, TheMasterSliderAtTheLeftStopsEverySoundAndReleasesTheMute)
{
    WriteSettings("Master Mute=1\r\n");
    testsupport::WriteFileBytes(m_dir.Path() / "Tone.wav", ToneWave());
    CSoundOptionsDialog* dialog = Open();
    m_buffer = m_sound.CreateBuffer();
    ASSERT_TRUE(m_buffer->Load((m_dir / "Tone.wav").c_str(), true, false));
    ASSERT_TRUE(m_buffer->Play(true));
    ASSERT_EQ(m_sound.CountVoices(), 1u);

    CJSlider* master = dialog->GetSlider(CSoundOptionsDialog::kMaster);
    master->SetValue(0, false);   // as a drag to the far left reports it
    EXPECT_EQ(master->GetValue(), 0);
    EXPECT_EQ(m_sound.GetMasterVolume(), -3333);
    EXPECT_EQ(m_sound.CountVoices(), 0u);
    EXPECT_FALSE(m_buffer->IsPlaying());
    EXPECT_FALSE(dialog->GetMute(CSoundOptionsDialog::kMaster)->IsChecked());
    EXPECT_EQ(Stored(kMasterVolumeKey), "-3333");
    EXPECT_EQ(Stored(kMasterMuteKey), "0");
}

TEST_F(SoundOptionsDialog, EffectsSliderAndMuteApplyTheScale)
{
    CSoundOptionsDialog* dialog = Open();
    CJSlider* effects = dialog->GetSlider(CSoundOptionsDialog::kEffects);
    effects->SetValue(0, false);
    EXPECT_FLOAT_EQ(m_sound.GetEffectsScale(), 0.5f);
    effects->SetValue(3333, false);
    EXPECT_NEAR(m_sound.GetEffectsScale(), 0.99999f, 1.1e-5f);
    EXPECT_NEAR(std::stof(Stored(kEffectsVolumeKey)), 0.99999f, 1.1e-5f);

    Click(dialog->GetMute(CSoundOptionsDialog::kEffects));
    EXPECT_EQ(m_sound.GetEffectsScale(), 0.0f);
    EXPECT_EQ(Stored(kEffectsMuteKey), "1");
    EXPECT_EQ(effects->GetValue(), 3333);
    Click(dialog->GetMute(CSoundOptionsDialog::kEffects));
    EXPECT_NEAR(m_sound.GetEffectsScale(), 0.99999f, 1.1e-5f);
    EXPECT_EQ(Stored(kEffectsMuteKey), "0");
}

class SoundOptionsWithApplication : public AppFixture
{
};

TEST_F(SoundOptionsWithApplication, MutingMusicKeepsTheSliderAndUnmutingRestoresItsVolume)
{
    testsupport::WriteFileBytes(m_dir.Path() / "Vantorel.CFG", "[Options]\r\nMusic Volume=-1200\r\n");
    TestApplication app;
    CFrame target;
    target.Create(640, 480, 16);
    const std::unique_ptr<CFont> font = uitest::MakeFont();
    auto screen = std::make_unique<CScreenWindow>(&target, font.get());
    CSoundOptionsDialog* dialog = OpenSoundOptionsDialog(screen.get());
    CJToggleButton* mute = dialog->GetMute(CSoundOptionsDialog::kMusic);
    ASSERT_EQ(app.GetMusicVolume(), -1200);
    mute->Click();
    EXPECT_EQ(app.GetMusicVolume(), -3333);
    EXPECT_EQ(dialog->GetSlider(CSoundOptionsDialog::kMusic)->GetValue(), 2133);
    EXPECT_EQ(ReadConfigInt(g_configFile.GetPath(), "Options", kMusicMuteKey, -1), 1);
    mute->Click();
    EXPECT_EQ(app.GetMusicVolume(), -1200);
    dialog->GetSlider(CSoundOptionsDialog::kMusic)->SetValue(3333, false);
    EXPECT_EQ(app.GetMusicVolume(), 0);
    EXPECT_EQ(ReadConfigInt(g_configFile.GetPath(), "Options", kMusicVolumeKey, -1), 0);
    screen.reset();
    CWindowToolkitState::Get().Reset();
}

} // namespace
