// The music list's lookups and substitutes, the music player's order, and the music mixer's
// levels and crossfades, over songs in a music folder of the test's own.
#include "StreamTestSupport.h"
#include "../objects/FatalCatcher.h"
#include "../objects/TextStreamHelpers.h"

#include "foundation/FileSearchSpec.h"
#include "foundation/R250Random.h"
#include "sound/MusicList.h"
#include "sound/MusicMixer.h"
#include "sound/MusicPlayer.h"

#include <filesystem>
#include <set>

namespace {

using namespace soundtest;
namespace fs = std::filesystem;

class Music : public StreamTest
{
protected:
    void SetUp() override
    {
        StreamTest::SetUp();
        m_oldFolder = fs::current_path();
        fs::current_path(m_dir.Path());
        SetBaseFolder(".");
        fs::create_directories(m_dir.Path() / "Music");
    }
    void TearDown() override
    {
        // The list is the process's: leave it empty, without substitutes.
        LoadList("No Music/");
        SetBaseFolder(".");
        fs::current_path(m_oldFolder);
        StreamTest::TearDown();
    }

    static CFileSearchSpec MusicSpec(const char* folder = "Music/")
    {
        CFileSearchSpec spec;
        spec.SetFolder(folder);
        spec.AddExtension("wav");
        spec.AddExtension("ogg");
        return spec;
    }
    static CMusicList& LoadList(const char* folder = "Music/")
    {
        CMusicList& list = CMusicList::GetInstance();
        list.Load(MusicSpec(folder), CFilePlayList::ORDER_SHUFFLED, nullptr, 0);
        return list;
    }
    // A song of the music folder (RIFF bytes whatever its extension).
    std::vector<int16_t> AddSong(const std::string& name, size_t frames, uint32_t seed)
    {
        std::vector<int16_t> song = Pattern(frames, seed);
        fs::create_directories((m_dir.Path() / "Music" / name).parent_path());
        WriteSong("Music/" + name, song);
        return song;
    }
    static int IndexOf(const char* name)
    {
        const CMusicList& list = CMusicList::GetInstance();
        for (uint32_t i = 0; i < list.GetCount(); ++i)
            if (CItemList::NamesEqual(list.GetNameAt(i), name))
                return static_cast<int>(i);
        return -1;
    }

    fs::path m_oldFolder;
};

TEST_F(Music, FindSongTriesTheNameItsTwinThenItsSubstitute)
{
    for (const char* name : {"Intro.ogg", "Theme.wav", "Rockfast.ogg", "Space/SpaceRumble norm.ogg"})
        AddSong(name, 100, 1);
    CMusicList& list = LoadList();
    ASSERT_EQ(list.GetCount(), 4u);
    list.AddSubstitute("Rock/Rocknorm.ogg", "Rockfast.ogg");
    list.AddSubstitute("Water/Water Norm.ogg", "Theme.ogg");   // a target found by its twin
    struct Case
    {
        const char* name;
        const char* found;   // null: none
    } cases[] = {
        {"INTRO.WAV", "Intro.ogg"},
        {"Theme.ogg", "Theme.wav"},
        {"space/spacerumble NORM.ogg", "Space/SpaceRumble norm.ogg"},
        {"rock/ROCKNORM.OGG", "Rockfast.ogg"},
        {"Water/Water Norm.ogg", "Theme.wav"},
        {"Rock/Rocknorm.wav", nullptr},   // a substitute stands for the name as asked only
        {"Intro.mp3", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(list.FindSong(c.name, -1), c.found ? IndexOf(c.found) : -1);
        EXPECT_EQ(list.FindIndexByName(c.name, -1), list.FindSong(c.name, -1));   // every search by name
    }
    EXPECT_EQ(list.FindSong(nullptr, -1), -1);

    // A substitute for a song that is not there either ends the program.
    FatalCatcher catcher;
    try {
        list.AddSubstitute("Theme.ogg", "Infinity Fast.ogg");
        ADD_FAILURE() << "no fatal end";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.m_caption, "Fatal Not Found Error");
        EXPECT_NE(error.m_text.find("Infinity Fast.ogg"), std::string::npos);
    }

    // Loading the list again forgets the substitutes: their indices named the old entries.
    LoadList();
    EXPECT_EQ(list.GetSubstituteCount(), 0);
    EXPECT_EQ(list.FindSong("Rock/Rocknorm.ogg", -1), -1);
}

TEST_F(Music, MixerDataNamesSongsThroughTheList)
{
    AddSong("Rockfast.ogg", 100, 1);
    AddSong("Theme.ogg", 100, 2);
    CMusicList& list = LoadList();
    list.AddSubstitute("Rock/Rocknorm.ogg", "Rockfast.ogg");
    CMusicMixerData data;
    data.SetPropertiesToDefaults();
    EXPECT_EQ(data.GetSwitchSeconds(), 5.0f);
    ASSERT_TRUE(ReadText(data, "CMusicMixerData\n{\nNum Seconds To Switch=2.5\nFull Mix Song=Rock/Rocknorm.ogg\n"
                               "Med Mix Song=Theme.wav\nAmbiant Song=Theme.ogg\n}\n"));
    EXPECT_EQ(data.GetSwitchSeconds(), 2.5f);
    EXPECT_EQ(data.GetSong(0), static_cast<uint32_t>(IndexOf("Rockfast.ogg")));
    EXPECT_EQ(data.GetSong(1), static_cast<uint32_t>(IndexOf("Theme.ogg")));
    EXPECT_EQ(data.GetSong(2), static_cast<uint32_t>(IndexOf("Theme.ogg")));
    // Written back under the names the list has.
    const std::string text = TextOf(data);
    EXPECT_NE(text.find("Full Mix Song=Rockfast.ogg"), std::string::npos) << text;
    EXPECT_NE(text.find("Ambiant Song=Theme.ogg"), std::string::npos) << text;
}

const char* NextSongName()
{
    return "Other.ogg";
}

TEST_F(Music, ThePlayerStartsASongByItsTwinLetsItPlayOnAndAsksTheCallbackForTheNext)
{
    CFileSearchSpec spec = MusicSpec();
    CMusicPlayer empty(&spec);
    EXPECT_FALSE(empty.PlaySong(nullptr));
    EXPECT_FALSE(empty.PlaySong("Intro.wav"));

    const std::vector<int16_t> intro = AddSong("Intro.ogg", 15000, 1);
    AddSong("Other.ogg", 4410, 2);
    AddSong("Third.ogg", 4410, 3);
    CMusicPlayer player(&spec);
    player.SetNextSongCallback(&NextSongName);
    ASSERT_TRUE(player.PlaySong("Intro.wav"));
    EXPECT_STREQ(CMusicList::GetInstance().GetCurrentName(), "Intro.ogg");
    std::vector<int16_t> heard = Left(Run(&player, 300));
    // Asked again by either name it goes on; so does a call without a name.
    EXPECT_TRUE(player.PlaySong("intro.ogg"));
    EXPECT_TRUE(player.PlaySong(nullptr));
    const std::vector<int16_t> more = Left(Run(&player, 300));
    heard.insert(heard.end(), more.begin(), more.end());
    EXPECT_EQ(FirstDifference(heard, intro), heard.size());
    Run(&player, 200);
    ASSERT_TRUE(player.PlaySong(nullptr));
    EXPECT_STREQ(CMusicList::GetInstance().GetCurrentName(), "Other.ogg");
}

TEST_F(Music, WhenASongEndsTheNextOfTheShuffledOrderFollows)
{
    for (int i = 0; i < 4; ++i)
        AddSong("Song" + std::to_string(i) + ".wav", 4410, 10 + i);   // 0.2 s each
    const uint32_t gameDraws = g_gameRandom.GetDrawCount();
    const uint32_t generalDraws = g_generalRandom.GetDrawCount();
    CFileSearchSpec spec = MusicSpec();
    CMusicPlayer player(&spec);
    // The shuffle draws from the general generator, never from the game's.
    EXPECT_EQ(g_gameRandom.GetDrawCount(), gameDraws);
    EXPECT_GT(g_generalRandom.GetDrawCount(), generalDraws);
    // Every frame, as the application does: each song once.
    std::set<std::string> heard;
    for (int frame = 0; frame < 24; ++frame) {
        ASSERT_TRUE(player.PlaySong(nullptr));
        heard.insert(CMusicList::GetInstance().GetCurrentName());
        Run(&player, 50);
    }
    EXPECT_EQ(heard.size(), 4u);
}

// A mixer with a music volume of the test's choosing instead of the application's.
class TestMixer : public CMusicMixer
{
public:
    int volume = 0;

protected:
    int GetMusicVolume() const override { return volume; }
};

TEST_F(Music, AnEmptyListLeavesTheMixerInert)
{
    LoadList();
    TestMixer mixer;
    mixer.SelectMixLevel(0);
    mixer.Update(1.0f);
    mixer.Update(10.0f);
    EXPECT_FALSE(mixer.GetStream().IsPlaying());
    EXPECT_EQ(mixer.GetCurrentLevel(), 2);
    EXPECT_EQ(mixer.GetQueuedLevel(), 2);
    EXPECT_EQ(mixer.GetElapsed(), 5.0f);
}

// Moves the mixer and the device on by seconds in game frames of 50 ms.
std::vector<int16_t> Play(TestMixer& mixer, float seconds)
{
    std::vector<int16_t> heard;
    for (int frame = 0; frame < static_cast<int>(seconds * 20 + 0.5f); ++frame) {
        mixer.Update(0.05f);
        Device().Advance(50);
        mixer.GetStream().Update();
        const std::vector<int16_t> more = Device().TakeCaptured();
        for (size_t i = 0; i < more.size(); i += 2)
            heard.push_back(more[i]);
    }
    return heard;
}

class MusicMixer : public Music
{
protected:
    static constexpr size_t kPieceFrames = 100000;

    // Three mixes of one piece: level 0 full, 1 medium, 2 ambient (with the songs the test added
    // before).
    void SetUpPiece(TestMixer& mixer)
    {
        AddSong("Full.wav", kPieceFrames, 1);
        m_medium = AddSong("Medium.wav", kPieceFrames, 2);
        m_ambient = AddSong("Ambient.wav", kPieceFrames, 3);
        LoadList();
        CMusicMixerData data;
        data.SetPropertiesToDefaults();
        data.SetSong(0, static_cast<uint32_t>(IndexOf("Full.wav")));
        data.SetSong(1, static_cast<uint32_t>(IndexOf("Medium.wav")));
        data.SetSong(2, static_cast<uint32_t>(IndexOf("Ambient.wav")));
        mixer.SetMixerData(data);
    }

    std::vector<int16_t> m_medium, m_ambient;
};

TEST_F(MusicMixer, TheLevelThatPlaysAlreadyChangesNothing)
{
    TestMixer mixer;
    SetUpPiece(mixer);
    mixer.SelectMixLevel(2);
    EXPECT_TRUE(mixer.GetStream().IsPlaying());
    EXPECT_FALSE(mixer.IsCrossfading());
    std::vector<int16_t> heard = Play(mixer, 1.0f);
    for (int i = 0; i < 20; ++i) {
        mixer.SelectMixLevel(2);
        EXPECT_FALSE(mixer.IsCrossfading());
        const std::vector<int16_t> more = Play(mixer, 0.2f);
        heard.insert(heard.end(), more.begin(), more.end());
    }
    EXPECT_EQ(FirstDifference(heard, Looped(m_ambient, 0, heard.size())), heard.size());
}

TEST_F(MusicMixer, ALevelAskedForDuringACrossfadeFollowsIt)
{
    TestMixer mixer;
    SetUpPiece(mixer);
    mixer.SelectMixLevel(2);
    Play(mixer, 1.0f);
    mixer.SelectMixLevel(0);
    EXPECT_TRUE(mixer.IsCrossfading());
    EXPECT_EQ(mixer.GetCurrentLevel(), 0);
    Play(mixer, 1.0f);
    mixer.SelectMixLevel(1);   // one second into the five
    EXPECT_EQ(mixer.GetCurrentLevel(), 0);
    EXPECT_EQ(mixer.GetQueuedLevel(), 1);
    Play(mixer, 3.9f);
    EXPECT_TRUE(mixer.IsCrossfading());
    EXPECT_EQ(mixer.GetCurrentLevel(), 0);
    Play(mixer, 0.2f);   // the first fade ends, and the second begins
    EXPECT_TRUE(mixer.IsCrossfading());
    EXPECT_LT(mixer.GetElapsed(), 0.2f);
    EXPECT_EQ(mixer.GetCurrentLevel(), 1);
    Play(mixer, 5.0f);
    EXPECT_FALSE(mixer.IsCrossfading());
    // The medium mix alone, at the piece's own position, once the ring has played out.
    Play(mixer, 4.0f);
    const std::vector<int16_t> heard = Play(mixer, 1.0f);
    const size_t at = Frames(1000 + 1000 + 3900 + 200 + 5000 + 4000);
    EXPECT_EQ(FirstDifference(heard, Looped(m_medium, at % m_medium.size(), heard.size())), heard.size());
}

TEST_F(MusicMixer, ChangedDataStartsItsMixFromTheBeginning)
{
    const std::vector<int16_t> other = AddSong("Other.wav", kPieceFrames, 4);
    TestMixer mixer;
    SetUpPiece(mixer);
    mixer.SelectMixLevel(2);
    Play(mixer, 1.5f);
    mixer.SetMixLevelSong(2, static_cast<uint32_t>(IndexOf("Ambient.wav")));   // the same: no change
    mixer.SelectMixLevel(2);
    EXPECT_FALSE(mixer.IsCrossfading());
    mixer.SetMixLevelSong(2, static_cast<uint32_t>(IndexOf("Other.wav")));
    mixer.SelectMixLevel(2);
    EXPECT_TRUE(mixer.IsCrossfading());
    Play(mixer, 5.5f);
    EXPECT_FALSE(mixer.IsCrossfading());
    Play(mixer, 3.0f);
    // The new song from its start, where the fade began: not at the old one's place.
    const std::vector<int16_t> heard = Play(mixer, 0.5f);
    const size_t playedBefore = Frames(1500 + 5500 + 3000);
    size_t found = other.size();
    for (size_t j = 0; j < other.size(); ++j)
        if (other[j] == heard[0] && other[(j + 1) % other.size()] == heard[1] &&
            other[(j + 2) % other.size()] == heard[2])
            found = j;
    ASSERT_LT(found, other.size());
    // The capture index at which the new song's first frame played.
    const size_t start = (playedBefore + other.size() - found % other.size()) % other.size();
    EXPECT_GE(start, Frames(1500));
    EXPECT_LE(start, Frames(1550) + CSoundStream::kRingBytes / 2);
    EXPECT_EQ(FirstDifference(heard, Looped(other, found, heard.size())), heard.size());
}

} // namespace
