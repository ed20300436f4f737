// The sound list over the virtual file system: names, lookups, plays, instances, unloading,
// and sounds inside a mounted archive.
#include "SoundTestSupport.h"

#include "foundation/FileSystem.h"
#include "foundation/OpenFlags.h"
#include "objects/ResourceRegistry.h"
#include "sound/SoundList.h"

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

using namespace soundtest;
namespace fs = std::filesystem;

class SoundList : public SoundTest
{
protected:
    void SetUp() override
    {
        SoundTest::SetUp();
        m_oldFolder = fs::current_path();
        fs::current_path(m_dir.Path());
        SetBaseFolder(".");
    }
    void TearDown() override
    {
        m_list.reset();
        CFileSystem::UnmountArchives();
        SetBaseFolder(".");
        fs::current_path(m_oldFolder);
        SoundTest::TearDown();
    }

    // A sound of the folder: a short tone unless bytes are given.
    void AddSound(const std::string& name, std::string bytes = "")
    {
        if (bytes.empty())
            bytes = WaveBytes(1, 16, 22050, Pcm16(std::vector<int16_t>(2205, 3000)));
        fs::create_directories((m_dir.Path() / name).parent_path());
        testsupport::WriteFileBytes(m_dir.Path() / name, bytes);
    }

    CSoundList& Load()
    {
        m_list = std::make_unique<CSoundList>();
        m_list->LoadFolder("Sounds", "Sounds", ".wav", ".ogg");
        return *m_list;
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (uint32_t i = 0; i < m_list->GetCount(); ++i)
            names.emplace_back(m_list->GetItemName(i));
        return names;
    }

    std::unique_ptr<CSoundList> m_list;
    fs::path m_oldFolder;
};

TEST_F(SoundList, AnEmptyFolderPlaysNothing)
{
    for (bool folder : {false, true}) {
        if (folder)
            fs::create_directories(m_dir.Path() / "Sounds");
        CSoundList& list = Load();
        EXPECT_EQ(list.GetCount(), 0u);
        EXPECT_EQ(list.PlaySound("Pop Brick.wav"), nullptr);
        EXPECT_EQ(list.PlaySoundByIndex(0), nullptr);
        EXPECT_EQ(list.CreateSoundInstance("Pop Brick.wav"), nullptr);
        list.PreloadSound("Pop Brick.wav");
        list.LoadAllSounds();
        EXPECT_EQ(list.FindSoundIndex("Pop Brick.wav", -1), -1);
    }
}

TEST_F(SoundList, NamesAreRelativeSortedAndFoundIgnoringCase)
{
    for (const char* name : {"Sounds/Zap.wav", "Sounds/Ship/fire.wav", "Sounds/b.OGG", "Sounds/!None.wav",
                             "Sounds/Sub/Deeper/z.ogg", "Sounds/-Editor/hidden.wav", "Sounds/readme.txt"})
        AddSound(name);
    fs::create_directories(m_dir.Path() / "Sounds/folder.wav");
    CSoundList& list = Load();
    EXPECT_EQ(Names(), (std::vector<std::string>{"!None.wav", "b.OGG", "Ship/fire.wav", "Sub/Deeper/z.ogg", "Zap.wav"}));

    struct Lookup
    {
        const char* name;
        int index;
    } lookups[] = {
        {"!None.wav", 0},     {"Ship/Fire.WAV", 2},   {"b.wav", 1},         {"SHIP/FIRE.ogg", 2},
        {"fire.wav", 2},      {"deeper/Z.OGG", 3},    {"z.wav", -1},        {"Zap.ogg", 4},
        {"missing.wav", -1},  {"hidden.wav", -1},     {"readme.txt", -1},   {"", -1},
    };
    for (const Lookup& lookup : lookups) {
        EXPECT_EQ(list.FindSoundIndex(lookup.name, -1), lookup.index) << lookup.name;
        EXPECT_EQ(list.FindSoundIndex(lookup.name, 4), lookup.index) << lookup.name << " with a hint";
        EXPECT_EQ(list.FindIndexByName(lookup.name, -1), lookup.index) << lookup.name;
    }
    EXPECT_EQ(list.FindSoundIndex(nullptr, -1), -1);

    // Each entry remembers its file and decodes it only when first used.
    CSharedString path;
    list.GetItemFilePath(2, path);
    EXPECT_STREQ(path.CStr(), "Sounds/Ship/fire.wav");
    EXPECT_EQ(list.GetSound(2)->GetDeferredName(), "Sounds/Ship/fire.wav");
    EXPECT_FALSE(list.IsItemLoaded(2));
    EXPECT_STREQ(list.GetListName(), "Sound List");
    EXPECT_NE(list.GetTree(), nullptr);

    // Read again, the list keeps its one place in the registry.
    const int registered = list.GetRegistryIndex();
    ASSERT_GE(registered, 0);
    EXPECT_EQ(list.LoadFolder("Sounds", "Sounds", ".wav", ".ogg"), 5u);
    EXPECT_EQ(list.GetRegistryIndex(), registered);
    EXPECT_EQ(CResourceRegistry::GetInstance()->GetCollection(static_cast<uint32_t>(registered)), &list);
    EXPECT_STREQ(CResourceRegistry::GetInstance()->GetItemName(static_cast<uint32_t>(registered)), "Sounds");
}

TEST_F(SoundList, APlayStartsTheSoundAndAnswersItsBuffer)
{
    AddSound("Sounds/!None.wav", WaveBytes(1, 16, 22050, Pcm16(std::vector<int16_t>(100, 0))));
    AddSound("Sounds/Pop Brick.wav");
    CSoundList& list = Load();
    CSoundBuffer* pop = list.PlaySound("pop brick.WAV");
    ASSERT_NE(pop, nullptr);
    EXPECT_EQ(pop, list.GetSound(1));
    EXPECT_TRUE(pop->IsStillPlaying());
    EXPECT_EQ(pop->GetListIndex(), 1);
    EXPECT_TRUE(list.IsItemLoaded(1));
    EXPECT_EQ(list.GetItemObjectSize(1), 2205u * 2);
    Device().Advance(10);
    const std::vector<int16_t> heard = Captured();
    EXPECT_TRUE(std::any_of(heard.begin(), heard.end(), [](int16_t s) { return s != 0; }));

    // Twice in one frame: one voice; in the next frame a second one overlaps.
    EXPECT_EQ(list.PlaySound("Pop Brick.wav"), pop);
    EXPECT_EQ(System().CountVoices(), 1u);
    System().NextFrame();
    EXPECT_EQ(list.PlaySoundByIndex(1), pop);
    EXPECT_EQ(System().CountVoices(), 2u);

    EXPECT_EQ(list.PlaySoundByIndex(2), nullptr);
    EXPECT_EQ(list.PlaySoundByIndex(-1), nullptr);
    EXPECT_EQ(list.PlaySound("Missing.wav"), nullptr);
}

TEST_F(SoundList, UnloadingForgetsTheDataAndTheNextPlayDecodesAgain)
{
    AddSound("Sounds/Engine.wav");
    AddSound("Sounds/Zap.ogg", EncodeOgg(1, 22050, TestSignal(1, 4000, 2)));
    CSoundList& list = Load();
    // An instance made before its sound was first decoded waits for it.
    CSoundBuffer* instance = list.CreateSoundInstance("Engine.wav");
    ASSERT_NE(instance, nullptr);
    EXPECT_TRUE(instance->IsDeferred());

    CSoundBuffer* engine = list.PlaySound("Engine.wav");
    ASSERT_NE(engine, nullptr);
    list.SetKeepFlag(0, true);
    list.SetUsedFlag(0, true);
    ASSERT_TRUE(list.IsItemLoaded(0));
    list.UnloadItem(0);
    EXPECT_FALSE(list.IsItemLoaded(0));
    EXPECT_FALSE(list.GetKeepFlag(0));
    EXPECT_FALSE(list.IsItemUsed(0));
    EXPECT_FALSE(engine->IsStillPlaying());
    // The entry keeps its buffer, so what was handed out stays good.
    EXPECT_EQ(list.GetSound(0), engine);
    EXPECT_EQ(engine->GetDeferredName(), "Sounds/Engine.wav");
    EXPECT_TRUE(instance->Play(false));
    EXPECT_EQ(instance->GetSize(), 0u);   // the data is the entry's
    EXPECT_TRUE(list.IsItemLoaded(0));
    System().DestroyBuffer(instance);

    System().NextFrame();
    EXPECT_EQ(list.PlaySound("Engine.wav"), engine);
    EXPECT_TRUE(engine->IsStillPlaying());

    // The registry's unloading pass reaches the sounds too.
    EXPECT_NE(list.PlaySound("Zap.wav"), nullptr);
    EXPECT_TRUE(list.IsItemLoaded(1));
    CResourceRegistry::GetInstance()->UnloadAll();
    EXPECT_FALSE(list.IsItemLoaded(0));
    EXPECT_FALSE(list.IsItemLoaded(1));
}

TEST_F(SoundList, PreloadingDecodesAndKeeps)
{
    AddSound("Sounds/A.wav");
    AddSound("Sounds/Broken.wav", "RIFF, but nothing else");
    AddSound("Sounds/C.wav");
    CSoundList& list = Load();
    list.PreloadSound("c.wav");
    EXPECT_TRUE(list.IsItemLoaded(2));
    EXPECT_TRUE(list.GetKeepFlag(2));
    EXPECT_TRUE(list.IsItemUsed(2));
    EXPECT_EQ(list.GetSound(2)->GetListIndex(), 2);
    EXPECT_FALSE(list.IsItemLoaded(0));
    list.ClearUsageMarks();
    EXPECT_FALSE(list.IsItemUsed(2));

    list.LoadAllSounds();
    EXPECT_TRUE(list.IsItemLoaded(0));
    EXPECT_FALSE(list.IsItemLoaded(1));   // a file that does not decode never plays
    EXPECT_NE(list.PlaySound("Broken.wav"), nullptr);
    EXPECT_FALSE(list.GetSound(1)->IsStillPlaying());
}

TEST_F(SoundList, ASoundInsideAMountedArchivePlaysAndDecodesAsOnDisk)
{
    if (!HaveTool("zip"))
        GTEST_SKIP() << "zip is not installed";
    const std::string song = EncodeOgg(2, 22050, TestSignal(2, 12000, 6));
    AddSound("stage/Zipped.ogg", song);
    AddSound("stage/Ship/Pop.wav");
    fs::create_directories(m_dir.Path() / "Data");
    ASSERT_EQ(testsupport::RunCommand("cd '" + (m_dir.Path() / "stage").string() +
                                      "' && zip -0 -q -r ../Data/Sounds.zip ."),
              0);
    AddSound("Data/Sounds/Disk.ogg", song);
    CFileSystem::MountArchives("Data", true, false);

    CSoundList& list = Load();
    ASSERT_EQ(Names(), (std::vector<std::string>{"Disk.ogg", "Ship/Pop.wav", "Zipped.ogg"}));
    CSoundBuffer* pop = list.PlaySound("Pop.wav");
    ASSERT_NE(pop, nullptr);
    EXPECT_TRUE(pop->IsStillPlaying());
    EXPECT_EQ(pop->GetSize(), 2205u * 2);

    // The archive's stream seeks as the decoder needs: the same samples as from the disk.
    std::unique_ptr<CWaveSource> zipped(OpenWaveSource("Sounds/Zipped.ogg", 0));
    std::unique_ptr<CWaveSource> disk(OpenWaveSource("Sounds/Disk.ogg", 0));
    ASSERT_NE(zipped, nullptr);
    ASSERT_NE(disk, nullptr);
    const std::string expected = ReadAll(*disk);
    EXPECT_EQ(expected.size(), 12000u * 4);
    EXPECT_TRUE(ReadAll(*zipped) == expected);
    EXPECT_TRUE(list.PlaySound("zipped.wav") != nullptr && list.IsItemLoaded(2));
}

} // namespace
