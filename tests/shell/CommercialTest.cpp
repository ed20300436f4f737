// Commercials: when their captions come due, how their files read, how the collection lists and
// sorts them, how their clips play as one stream, and which one a request for a demo picks.
#include "../foundation/FileTestHelpers.h"
#include "app/DemoRecorder.h"
#include "foundation/FileSearchSpec.h"
#include "foundation/OpenFlags.h"
#include "foundation/R250Random.h"
#include "objects/FilePlayList.h"
#include "shell/Commercial.h"
#include "shell/CommercialCollection.h"
#include "shell/CommercialLine.h"
#include "shell/DemoRequest.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

CCommercial* MakeCommercial(const std::vector<float>& delays)
{
    auto* commercial = new CCommercial;
    for (float delay : delays) {
        auto* line = new CCommercialLine;
        line->SetDelay(delay);
        line->SetText(("at " + std::to_string(delay)).c_str());
        commercial->AddLine(line);
    }
    return commercial;
}

// The clock readings after the steps in which each line was shown.
std::vector<float> RunCaptions(CCommercial& commercial, float step, float until)
{
    std::vector<float> shownAt;
    commercial.Play(nullptr, nullptr);
    while (commercial.GetClock() < until)
        commercial.UpdateCaptions(step, [&](const CCommercialLine&) { shownAt.push_back(commercial.GetClock()); });
    return shownAt;
}

void WriteFile(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A clip of the given number of empty frames, recorded as the developer records demos.
void RecordClip(const char* path, int frames)
{
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    recorder->StartRecording();
    for (int i = 0; i < frames; ++i)
        recorder->EndFrame();
    ASSERT_TRUE(recorder->SaveRecording(path, VF_VERBATIM));
}

} // namespace

TEST(Commercial, CaptionsComeDueAtTheSumOfTheDelays)
{
    const struct
    {
        std::vector<float> delays;
        float step;
        std::vector<float> shownAt; // the clock after the showing step
    } cases[] = {
        // 2, 5 and 5.5 s after the start, each in the step that starts at or after it.
        {{2.0f, 3.0f, 0.5f}, 0.25f, {2.25f, 5.25f, 5.75f}},
        // A start at 0 shows in the first step; equal starts show in the same step.
        {{0.0f, 1.0f, 0.0f}, 0.5f, {0.5f, 1.5f, 1.5f}},
        // Steps longer than the gaps show several lines at once.
        {{1.0f, 0.25f, 0.25f}, 2.0f, {2.0f, 2.0f, 2.0f}},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CCommercial> commercial(MakeCommercial(c.delays));
        EXPECT_EQ(RunCaptions(*commercial, c.step, 8.0f), c.shownAt);
    }
}

TEST(Commercial, LineDueExactlyAtAStepBoundaryShowsInTheFollowingStep)
{
    std::unique_ptr<CCommercial> commercial(MakeCommercial({2.0f}));
    commercial->Play(nullptr, nullptr);
    std::vector<std::pair<float, float>> steps;
    for (int i = 0; i < 12; ++i) {
        const float before = commercial->GetClock();
        commercial->UpdateCaptions(0.25f, [&](const CCommercialLine&) { steps.emplace_back(before, commercial->GetClock()); });
    }
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0], std::make_pair(2.0f, 2.25f));
    // Play starts the clock again.
    commercial->Play(nullptr, nullptr);
    EXPECT_EQ(commercial->GetClock(), 0.0f);
}

TEST(Commercial, ReadsItsTextFormWithNamedAndNumericHeights)
{
    filetest::WorkFolder folder;
    WriteFile(folder.Path() / "Show.Commercial",
              "CCommercial\n{\n\tDemo Clips=Array\n\t{\n\t\tItem Count=0\n\t}\n\tLines=Array\n\t{\n"
              "\t\tItem Count=2\n"
              "\t\tLine=CCommercialLine\n\t\t{\n\t\t\tText=Hello\n\t\t\tDelay Before Text Appears=1.5\n"
              "\t\t\tY Position=Center\n\t\t\tDuration=3\n\t\t}\n"
              "\t\tLine=CCommercialLine\n\t\t{\n\t\t\tText=Second\n\t\t\tY Position=100\n\t\t}\n"
              "\t}\n}\n");
    std::unique_ptr<CObject> object(CObject::CreateFromFile("Show.Commercial", 0, false, nullptr));
    auto* commercial = dynamic_cast<CCommercial*>(object.get());
    ASSERT_NE(commercial, nullptr);
    ASSERT_EQ(commercial->GetLineCount(), 2u);
    const CCommercialLine* first = commercial->GetLine(0);
    EXPECT_STREQ(first->GetText().GetSourceText().CStr(), "Hello");
    EXPECT_EQ(first->GetDelay(), 1.5f);
    EXPECT_EQ(first->GetYPosition(), 0xFFFFFFFFu);
    EXPECT_EQ(first->GetDuration(), 3.0f);
    // Left out: the defaults, 2 s after the previous line for 4 s.
    const CCommercialLine* second = commercial->GetLine(1);
    EXPECT_EQ(second->GetYPosition(), 100u);
    EXPECT_EQ(second->GetDelay(), 2.0f);
    EXPECT_EQ(second->GetDuration(), 4.0f);
    EXPECT_EQ(commercial->GetClipCount(), 0u);
}

class CommercialFiles : public ::testing::Test
{
protected:
    void TearDown() override
    {
        // The collection is the process's: leave it empty for the next test.
        CCommercialCollection::GetInstance().FreeEntries();
        GetDemoFileList().Load(CFileSearchSpec(), CFilePlayList::ORDER_AS_FOUND, nullptr, 0);
        CDemoRecorder::GetInstance()->SetFinishCallback(nullptr);
    }
    filetest::WorkFolder m_folder;
};

TEST_F(CommercialFiles, CollectionSortsIgnoringCaseAndDropsDashes)
{
    const char* empty = "CCommercial\n{\n}\n";
    for (const char* name : {"Resources/b.Commercial", "Resources/A.Commercial", "Resources/Sub/-c.Commercial",
                             "Resources/-Hidden/d.Commercial", "Resources/e.Demo"})
        WriteFile(m_folder.Path() / name, empty);
    CCommercialCollection& commercials = CCommercialCollection::GetInstance();
    commercials.Load();
    std::vector<std::string> names;
    for (uint32_t i = 0; i < commercials.GetCount(); ++i)
        names.emplace_back(commercials.GetItemName(i));
    EXPECT_EQ(names, (std::vector<std::string>{"A", "b", "Sub/c"}));
    EXPECT_NE(commercials.GetCommercial(1), nullptr);
    // Past the end counts as the first.
    EXPECT_EQ(commercials.GetCommercial(7), commercials.GetCommercial(0));
    EXPECT_EQ(GetDemoFileList().GetCount(), 1u);
}

TEST_F(CommercialFiles, WithoutFilesTheCacheListsOrNothing)
{
    CCommercialCollection& commercials = CCommercialCollection::GetInstance();
    commercials.Load();
    EXPECT_EQ(commercials.GetCount(), 0u);
    EXPECT_EQ(commercials.GetCommercial(0), nullptr);
    WriteFile(m_folder.Path() / "Cache/Resources/-Cached.property", "CCommercial\n{\n}\n");
    commercials.Load();
    ASSERT_EQ(commercials.GetCount(), 1u);
    EXPECT_STREQ(commercials.GetItemName(0), "Cached");
}

TEST_F(CommercialFiles, ClipsPlayInOrderAsOneStream)
{
    std::filesystem::create_directories(m_folder.Path() / "Resources");
    RecordClip("Resources/One.Demo", 2);
    RecordClip("Resources/Two.Demo", 3);
    RecordClip("Resources/Three.Demo", 4);
    CCommercialCollection::GetInstance().Load();
    CFilePlayList& demos = GetDemoFileList();
    ASSERT_EQ(demos.GetCount(), 3u);
    CCommercial commercial;
    for (const char* clip : {"One.Demo", "Two.Demo", "Three.Demo"})
        for (uint32_t i = 0; i < demos.GetCount(); ++i)
            if (std::string(demos.GetNameAt(i)) == clip)
                commercial.AddClip(i);
    ASSERT_EQ(commercial.GetClipCount(), 3u);
    int context = 0;
    ASSERT_TRUE(commercial.Play(&context, nullptr));
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    EXPECT_EQ(recorder->GetContext(), &context);
    int frames = 0;
    while (recorder->IsPlaying() && frames < 50) {
        recorder->PlayFrame();
        ++frames;
    }
    // Every frame of the three, then the end.
    EXPECT_EQ(frames, 2 + 3 + 4 + 1);

    // A clip that went missing stops the show before it starts.
    std::filesystem::remove(m_folder.Path() / "Resources/Three.Demo");
    EXPECT_FALSE(commercial.Play(&context, nullptr));
    EXPECT_FALSE(recorder->IsPlaying());
}

TEST_F(CommercialFiles, FirstDemoIsTheIntroUntilAGameIsFinished)
{
    CCommercialCollection& commercials = CCommercialCollection::GetInstance();
    bool firstTime = true;
    commercials.Load();
    EXPECT_EQ(ChooseDemoCommercial(commercials, 0, firstTime), -1);
    EXPECT_TRUE(firstTime);

    const char* empty = "CCommercial\n{\n}\n";
    for (const char* name : {"Resources/Zebra.Commercial", "Resources/1 Intro.Commercial", "Resources/0 A.Commercial"})
        WriteFile(m_folder.Path() / name, empty);
    commercials.Load();
    const int intro = commercials.FindIndexByName("1 Intro", -1);
    ASSERT_GE(intro, 0);
    // A finished game means no intro, and the flag stays for later.
    g_generalRandom.Seed(1);
    std::vector<int> picks;
    for (int i = 0; i < 40; ++i)
        picks.push_back(ChooseDemoCommercial(commercials, 1, firstTime));
    EXPECT_TRUE(firstTime);
    EXPECT_NE(std::count(picks.begin(), picks.end(), 0), 0);
    EXPECT_NE(std::count(picks.begin(), picks.end(), 2), 0);
    // The first with none finished is the intro; later ones are random.
    EXPECT_EQ(ChooseDemoCommercial(commercials, 0, firstTime), intro);
    EXPECT_FALSE(firstTime);
    picks.clear();
    for (int i = 0; i < 40; ++i)
        picks.push_back(ChooseDemoCommercial(commercials, 0, firstTime));
    EXPECT_NE(std::count(picks.begin(), picks.end(), 0), 0);

    // Without an intro the random pick stands.
    std::filesystem::remove(m_folder.Path() / "Resources/1 Intro.Commercial");
    commercials.Load();
    firstTime = true;
    const int pick = ChooseDemoCommercial(commercials, 0, firstTime);
    EXPECT_TRUE(pick == 0 || pick == 1);
    EXPECT_FALSE(firstTime);
}
