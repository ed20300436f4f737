// The application's start-up sequence, activation, music, settings and end.
#include "AppTestSupport.h"
#include "foundation/ConfigFile.h"
#include "foundation/FileSystem.h"
#include "foundation/LocalizedString.h"
#include "graphics/Frame.h"
#include "platform/Backend.h"
#include "sound/MusicList.h"
#include "sound/MusicPlayer.h"
#include "sound/SoundList.h"
#include "sound/SoundSystem.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

namespace fs = std::filesystem;
using ApplicationBase = AppFixture;

void Touch(const fs::path& path, const std::string& bytes = "x")
{
    fs::create_directories(path.parent_path());
    testsupport::WriteFileBytes(path, bytes);
}

TEST_F(ApplicationBase, StartUpBecomesTheApplicationAndTheEndClearsIt)
{
    g_mouse.ShowCursor();
    {
        TestApplication app;
        EXPECT_EQ(g_application, &app);
        EXPECT_FALSE(g_mouse.IsCursorVisible());
        // The folder is writable: the per-installation settings file, with its two backslashes.
        EXPECT_STREQ(g_configFile.GetPath(), ".\\\\Vantorel.CFG");
        EXPECT_FALSE(fs::exists("TestSave.dat"));
        EXPECT_STREQ(GetBaseFolder(), "Data");
        EXPECT_TRUE(app.HasDisplay());
        EXPECT_TRUE(CSoundSystem::GetInstance()->HasDevice());
        EXPECT_NE(app.GetMusicPlayer(), nullptr);
        EXPECT_FALSE(app.GetShowFrameRate());
        EXPECT_TRUE(app.GetShowOverlaysInEditor());
        EXPECT_TRUE(app.GetActivationState());
        EXPECT_FALSE(app.RunsWhenInactive());
    }
    EXPECT_EQ(g_application, nullptr);
    EXPECT_FALSE(CSoundSystem::GetInstance()->HasDevice());
}

TEST_F(ApplicationBase, DataArchivesAreMountedForTheApplicationsLife)
{
    fs::create_directories(m_dir.Path() / "Data");
    // A stored zip written by another program.
    ASSERT_EQ(testsupport::RunCommand("cd '" + (m_dir.Path() / "Data").string() +
                                      "' && python3 -c \"import zipfile; "
                                      "zipfile.ZipFile('Sounds.zip', 'w', zipfile.ZIP_STORED).writestr('Bounce.wav', 'RIFF')\""),
              0);
    {
        TestApplication app;
        EXPECT_TRUE(CFileSystem::FileExists("Sounds/Bounce.wav", 0));
    }
    EXPECT_FALSE(CFileSystem::FileExists("Sounds/Bounce.wav", 0));
}

TEST_F(ApplicationBase, SettingsComeFromTheOptionsSection)
{
    testsupport::WriteFileBytes(m_dir.Path() / "Vantorel.CFG",
                                "[Options]\r\nShow Frame Rate=1\r\nShow Overlays In Editor=0\r\n");
    TestApplication app;
    EXPECT_TRUE(app.GetShowFrameRate());
    EXPECT_FALSE(app.GetShowOverlaysInEditor());
    app.SetShowFrameRate(false);
    EXPECT_FALSE(app.GetShowFrameRate());
    EXPECT_EQ(ReadConfigInt(g_configFile.GetPath(), "Options", "Show Frame Rate", 7), 0);
    const std::string text = testsupport::ReadFileBytes(m_dir.Path() / "Vantorel.CFG");
    EXPECT_NE(text.find("Show Frame Rate=0"), std::string::npos) << text;
}

TEST_F(ApplicationBase, TheStartUpTakesTheMusicVolumeOrItsMute)
{
    const struct
    {
        const char* lines;
        int volume;
    } cases[] = {{"", -800}, {"Music Volume=-1500\r\n", -1500}, {"Music Volume=-1500\r\nMusic Mute=1\r\n", -3333}};
    for (const auto& c : cases) {
        testsupport::WriteFileBytes(m_dir.Path() / "Vantorel.CFG", std::string("[Options]\r\n") + c.lines);
        TestApplication app;
        EXPECT_EQ(app.GetMusicVolume(), c.volume) << c.lines;
    }
}

TEST_F(ApplicationBase, RepeatedActivationChangesNothing)
{
    TestApplication app;
    platform::Mixer& mixer = platform::GetMixer();
    EXPECT_FALSE(app.OnActivate(true));

    g_keyboard.OnKeyDown(30);
    g_keyboard.OnChar('a');
    EXPECT_TRUE(app.OnActivate(false));
    EXPECT_FALSE(app.GetActivationState());
    EXPECT_FALSE(g_keyboard.IsKeyDown(30));
    EXPECT_EQ(g_keyboard.ReadChar(), 0);
    EXPECT_TRUE(g_mouse.IsSystemCursorMode());
    EXPECT_FALSE(mixer.IsAudible());   // behind another program the game is not heard

    g_keyboard.OnKeyDown(31);
    EXPECT_FALSE(app.OnActivate(false));
    EXPECT_TRUE(g_keyboard.IsKeyDown(31));   // the second call did not clear again

    EXPECT_TRUE(app.OnActivate(true));
    EXPECT_FALSE(g_mouse.IsSystemCursorMode());
    EXPECT_TRUE(mixer.IsAudible());
}

// A song of n frames of one sample value, written by Python's wave module as Data/Music/<name>.
void WriteSong(const fs::path& folder, const std::string& name, int frames, int value)
{
    fs::create_directories(folder / "Data" / "Music");
    const std::string script = "import struct, wave\nw = wave.open('Data/Music/" + name +
                               "', 'wb')\nw.setnchannels(1)\nw.setsampwidth(2)\nw.setframerate(22050)\n"
                               "w.writeframes(struct.pack('<h', " + std::to_string(value) + ") * " +
                               std::to_string(frames) + ")\n";
    testsupport::WriteFileBytes(folder / "song.py", script);
    ASSERT_EQ(testsupport::RunCommand("cd '" + folder.string() + "' && python3 song.py"), 0);
}

const char* CurrentSong()
{
    const char* name = CMusicList::GetInstance().GetCurrentName();
    return name ? name : "";
}

TEST_F(ApplicationBase, StartSongThatExistsPlaysAtStartAndTheListFollows)
{
    // Refills from the music update, so that the test's clock decides when a song ends.
    testsupport::WriteFileBytes(m_dir.Path() / "Vantorel.CFG", "[Options]\r\nUse Threaded Stream=0\r\n");
    WriteSong(m_dir.Path(), "intro.WAV", 2205, 1000);
    WriteSong(m_dir.Path(), "Other.ogg", 2205, 2000);   // RIFF bytes: the header decides, not the name
    Touch(m_dir.Path() / "Data" / "Music" / "Notes.txt");
    TestApplication app("Intro.wav");
    EXPECT_TRUE(app.IsMusicOn());
    ASSERT_NE(app.GetMusicPlayer(), nullptr);
    EXPECT_FALSE(app.GetMusicPlayer()->IsThreaded());
    EXPECT_TRUE(app.GetMusicPlayer()->IsPlaying());
    EXPECT_STREQ(CurrentSong(), "intro.WAV");
    EXPECT_STREQ(app.GetPendingSong(), "");
    EXPECT_EQ(app.GetMusicPlayer()->GetVolume(), app.GetMusicVolume());

    // A pending song replaces the playing one at the next music update.
    app.SetPendingSong("Other.ogg");
    app.UpdateMusic();
    EXPECT_STREQ(CurrentSong(), "Other.ogg");
    EXPECT_STREQ(app.GetPendingSong(), "");

    // When it ends, the next song of the list follows by itself.
    platform::HeadlessMixer& device = platform::GetHeadlessBackend().GetHeadlessMixer();
    for (int step = 0; step < 10; ++step) {
        device.Advance(50);
        app.UpdateMusic();
    }
    EXPECT_TRUE(app.GetMusicPlayer()->IsPlaying());
    EXPECT_STREQ(CurrentSong(), "intro.WAV");

    // A silent music volume stops the music.
    app.SetMusicVolume(CApplicationBase::kSilentVolume);
    app.UpdateMusic();
    EXPECT_FALSE(app.GetMusicPlayer()->IsPlaying());
}

TEST_F(ApplicationBase, MissingStartSongLeavesMusicOff)
{
    WriteSong(m_dir.Path(), "Other.ogg", 2205, 2000);
    TestApplication app("Intro.wav");
    EXPECT_FALSE(app.IsMusicOn());
    EXPECT_FALSE(app.GetMusicPlayer()->IsPlaying());
    app.UpdateMusic();
    EXPECT_FALSE(app.GetMusicPlayer()->IsPlaying());
}

TEST_F(ApplicationBase, PendingSongNameIsCutToItsBuffer)
{
    TestApplication app;
    const std::string longName(400, 'm');
    app.SetPendingSong(longName.c_str());
    EXPECT_EQ(std::strlen(app.GetPendingSong()), static_cast<size_t>(CApplicationBase::kPendingSongSize));
    EXPECT_EQ(std::string(app.GetPendingSong()), longName.substr(0, CApplicationBase::kPendingSongSize));
}

TEST_F(ApplicationBase, InitFillsTheSoundListFromTheSoundFolder)
{
    Touch(m_dir.Path() / "Data" / "Sounds" / "Player Error.wav");
    Touch(m_dir.Path() / "Data" / "Sounds" / "Bounce.OGG");
    Touch(m_dir.Path() / "Data" / "Sounds" / "readme.txt");
    fs::create_directories(m_dir.Path() / "Data" / "Sounds" / "folder.wav");
    TestApplication app;
    app.Init(nullptr);
    CSoundList& sounds = CSoundList::GetInstance();
    ASSERT_EQ(sounds.GetCount(), 2u);
    EXPECT_STREQ(sounds.GetItemName(0), "Bounce.OGG");
    EXPECT_STREQ(sounds.GetItemName(1), "Player Error.wav");
    EXPECT_EQ(sounds.PlaySound("player error.wav"), sounds.GetSound(1));
    EXPECT_EQ(sounds.PlaySound("Missing.wav"), nullptr);
}

CLocalizedString s_startupText("Startup Test Text");

TEST_F(ApplicationBase, TheLocalisationTableOfTheDataIsReadAtStart)
{
    Touch(m_dir.Path() / "Data" / "Local.txt", "ENGLISH: Startup Test Text[END]\r\nLOCALIZED: Texte de test[END]\r\n");
    TestApplication app;
    EXPECT_STREQ(s_startupText.CStr(), "Texte de test");
}

TEST_F(ApplicationBase, LockCountAndBaseAnswers)
{
    TestApplication app;
    EXPECT_FALSE(app.IsLocked());
    app.IncrementLockCount();
    app.IncrementLockCount();
    app.DecrementLockCount();
    EXPECT_TRUE(app.IsLocked());
    app.DecrementLockCount();
    EXPECT_FALSE(app.IsLocked());
    EXPECT_FALSE(app.OnKey(57));
    EXPECT_FALSE(app.HandleMessage(nullptr));
    EXPECT_EQ(app.GetPlayerControls(0), nullptr);
    EXPECT_FALSE(app.HasModalWindow());
    EXPECT_EQ(app.ShowModalWindow(nullptr, true), 0);
}

TEST_F(ApplicationBase, NoCompressionSwitchTurnsTheCompressedCachesOff)
{
    SetFrameCompressionEnabled(true);
    {
        TestApplication app;
        EXPECT_TRUE(IsFrameCompressionEnabled());
    }
    SetCommandLine("/skipmovies /nocompression");
    TestApplication app;
    EXPECT_FALSE(IsFrameCompressionEnabled());
    SetFrameCompressionEnabled(true);
}

TEST_F(ApplicationBase, RemoveOnlyAsTheExactWordStartsTheGame)
{
    SetCommandLine("/remove");
    TestApplication app;
    EXPECT_EQ(g_application, &app);
}

TEST_F(ApplicationBase, RemoveCopiesTheRemovalProgramsAndEnds)
{
    // The child shares this test's folder, where the copies are looked for afterwards.
    GTEST_FLAG_SET(death_test_style, "fast");
    Touch(m_dir.Path() / "Data" / "RemoveSw.exe");
    Touch(m_dir.Path() / "Data" / "Remove.txt", "how to remove");
    Touch(m_dir.Path() / "Data" / "DeleteMe.exe");
    fs::create_directories(m_dir.Path() / "tmp");
    const std::string temp = (m_dir.Path() / "tmp").string() + "/";
    EXPECT_EXIT(
        {
            setenv("TMPDIR", temp.c_str(), 1);
            SetCommandLine("REMOVE");
            TestApplication app;
            std::fprintf(stderr, "the game started\n");
            std::exit(3);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_TRUE(fs::exists(m_dir.Path() / "tmp" / "RemoveSw.exe"));
    EXPECT_TRUE(fs::exists(m_dir.Path() / "tmp" / "DeleteMe.exe"));
    EXPECT_EQ(testsupport::ReadFileBytes(m_dir.Path() / "Remove.txt"), "how to remove");
}

TEST_F(ApplicationBase, RemoveWithoutTheProgramCopiesNothingAndStillEnds)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    Touch(m_dir.Path() / "Data" / "Remove.txt", "how to remove");
    EXPECT_EXIT(
        {
            SetCommandLine("x REMOVE y");
            TestApplication app;
            std::exit(3);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_FALSE(fs::exists(m_dir.Path() / "Remove.txt"));
}

} // namespace
