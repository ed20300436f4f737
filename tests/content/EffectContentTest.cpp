// The effect sequences and the particle generators as the program finds them in the built data
// set: every generator the game world names is listed, and every effect and spark sequence loads
// with its frames on a 16-bit display.
#include "MountedDataSet.h"
#include "graphics/Frame.h"
#include "graphics/ResourceListing.h"
#include "graphics/ScreenMode.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using EffectContent = MountedDataSet;

TEST_F(EffectContent, EveryNamedGeneratorIsListedAndEveryEffectSequenceLoads)
{
    std::vector<CSharedString> listed;
    ListResourceFiles("Resources", "PGen", listed);
    std::vector<std::string> names;
    for (const CSharedString& name : listed)
        names.emplace_back(name.CStr());
    for (const char* generator :
         {"!None", "Ball Hit Wall", "Ball Hit Wall Small", "Ball Hit Ship", "Ball Hit Ship Small", "Ball Hit Brick",
          "Ball Hit Brick Small", "Fire Ball", "Fire Ball Small", "Rail Ball", "Rail Ball Small", "Ship Thruster",
          "Ship Explode", "Bomb Explode", "Brick Change Type"})
        EXPECT_NE(std::find(names.begin(), names.end(), generator), names.end()) << generator;

    const int32_t savedDepth = GetDisplayBitsPerPixel();
    SetDisplayBitsPerPixel(16);
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    sequences.SetUpAtStartUp();
    const std::pair<const char*, uint32_t> effects[] = {
        {"Small Gore", 6}, {"ShipExplode", 10}, {"Spark Yellow", 5}, {"Spark Orange", 5}, {"Spark Blue", 5}};
    for (const auto& [name, frames] : effects) {
        CSequence* sequence = sequences.FindSequence(name);
        ASSERT_NE(sequence, nullptr) << name;
        ASSERT_EQ(sequence->GetFrameCount(), frames) << name;
        for (uint32_t i = 0; i < frames; ++i) {
            ASSERT_NE(sequence->GetFrame(i), nullptr) << name << " frame " << i;
            EXPECT_EQ(sequence->GetFrame(i)->GetBitsPerPixel(), 16u) << name;
        }
        EXPECT_NE(sequence->GetBlitter(), nullptr) << name;
    }
    sequences.FreeEntries();
    SetDisplayBitsPerPixel(savedDepth);
}

} // namespace
