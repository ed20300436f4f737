// The main menu's looks and commercials as the program finds them in the built data set: the
// ball and button sequences load with the sizes the menu relies on, and the commercials are
// listed with the intro among them.
#include "MountedDataSet.h"
#include "graphics/Frame.h"
#include "graphics/ResourceListing.h"
#include "graphics/ScreenMode.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"

#include <string>
#include <vector>

namespace {

using MenuContent = MountedDataSet;

TEST_F(MenuContent, ButtonAndBallSequencesLoadWithTheMenuSizes)
{
    const int32_t savedDepth = GetDisplayBitsPerPixel();
    SetDisplayBitsPerPixel(16);
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    sequences.SetUpAtStartUp();
    const struct
    {
        const char* name;
        uint32_t frames;
        uint16_t width;
        uint16_t height;
    } looks[] = {
        // The ball's radius is half its first frame's width: the walls' sweeps rely on it.
        {"Menu Ball", 8, 16, 16},
        // Every button frame covers the whole 291 x 54 button, drawn about its centre.
        {"Interface/Menu Button/Arm Normal", 1, 291, 54},
        {"Interface/Menu Button/Arm Hover", 3, 291, 54},
        {"Interface/Menu Button/Panel Flip", 6, 291, 54},
        {"Interface/Menu Button/Panel Pressed", 1, 291, 54},
        {"Interface/Menu Button/Panel Normal", 1, 291, 54},
        {"Interface/Menu Button/Panel Hover", 1, 291, 54},
    };
    for (const auto& look : looks) {
        CSequence* sequence = sequences.FindSequence(look.name);
        ASSERT_NE(sequence, nullptr) << look.name;
        ASSERT_EQ(sequence->GetFrameCount(), look.frames) << look.name;
        for (uint32_t i = 0; i < look.frames; ++i) {
            CFrame* frame = sequence->GetFrame(i);
            ASSERT_NE(frame, nullptr) << look.name << " frame " << i;
            EXPECT_EQ(frame->GetWidth(), look.width) << look.name;
            EXPECT_EQ(frame->GetHeight(), look.height) << look.name;
        }
        EXPECT_GT(sequence->GetFramesPerSecond(), 0.0f) << look.name;
    }
    sequences.FreeEntries();
    SetDisplayBitsPerPixel(savedDepth);

    std::vector<CSharedString> listed;
    ListResourceFiles("Resources", "Commercial", listed);
    std::vector<std::string> names;
    for (const CSharedString& name : listed)
        names.emplace_back(name.CStr());
    EXPECT_EQ(names, (std::vector<std::string>{"1 Intro", "Highlights", "Later Rounds"}));
}

} // namespace
