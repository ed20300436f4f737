// The blit-type list: its fixed order (sequence files store the index), lookups by name and by
// blend mode, and the fatal report for a name it does not hold.
#include "blit/BlitTypeList.h"
#include "blit/Blitter.h"
#include "blit/modes/AmplifyLightBlitter.h"
#include "blit/modes/CopyBlitter.h"
#include "blit/modes/NormalScaleBlitter.h"
#include "blit/modes/ShadowBlitter.h"
#include "blit/modes/TableBlendBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "graphics/Frame.h"

#include <gtest/gtest.h>

#include <string>

TEST(BlitTypeList, TheOrderIsFixed)
{
    CBlitTypeList& list = CBlitter::GetRegistry();
    EXPECT_EQ(&CBlitter::GetRegistry(), &list);
    const struct
    {
        const char* name;
        CBlitter* blitter;
    } expected[] = {
        {"Blend Amplify Light", &g_amplifyLightBlitter}, {"Blit As Shadow", &g_shadowBlitter},
        {"Blend Black Bias", &g_blackBiasBlitter},       {"Blend Test Light", &g_testLightBlitter},
        {"Normal Scale", &g_normalScaleBlitter},         {"Transparent Mask", &g_transparentMaskBlitter},
    };
    ASSERT_EQ(list.GetCount(), 6u);
    for (uint32_t i = 0; i < 6; ++i) {
        EXPECT_STREQ(list.GetItemName(i), expected[i].name) << i;
        EXPECT_EQ(list.GetValue(i), expected[i].blitter) << i;
    }
    EXPECT_EQ(list.GetItemName(6), nullptr);
    EXPECT_EQ(list.GetValue(6), nullptr);
    // The two table-blend instances are distinct objects of one class.
    EXPECT_NE(&g_blackBiasBlitter, &g_testLightBlitter);
}

TEST(BlitTypeList, LookupsByNameAndByBlendMode)
{
    CBlitTypeList& list = CBlitter::GetRegistry();
    EXPECT_EQ(list.FindValue(&g_transparentMaskBlitter), 5);
    // The old "Load Black Bias" line selects the black-bias blend mode.
    EXPECT_EQ(list.FindValue(&g_blackBiasBlitter), 2);
    EXPECT_EQ(list.FindValue(&g_copyBlitter), -1);
    EXPECT_EQ(list.FindValue(nullptr), -1);

    EXPECT_EQ(list.FindIndexByName("transparent mask", -1), 5);
    EXPECT_EQ(list.FindIndexByName("Blit As Shadow", 1), 1);
    EXPECT_EQ(list.FindIndexByName("Blit As Shadow", 4), 1);
    EXPECT_EQ(list.FindIndexByName("No Such Blend", -1), -1);
    EXPECT_EQ(list.FindIndexOrFail("Normal Scale", -1), 4);
}

TEST(BlitTypeListDeathTest, AMissingNameIsFatal)
{
    EXPECT_EXIT(CBlitter::GetRegistry().FindIndexOrFail("Blend Nothing", -1), testing::ExitedWithCode(255),
                "Fatal Not Found Error");
}

// What a 32-bit display's frames are (24-bit plain and run-length frames, 32-bit pictures with
// alpha) every blend mode content may name draws on a 32-bit frame, as it draws them on 24 bits;
// only the shadow stays with 16-bit displays, and scaling takes plain frames alone.
TEST(BlitTypeList, EveryBlendModeDrawsTheFramesOfAThirtyTwoBitDisplay)
{
    CFrame plain24, runLength24, picture32, display;
    plain24.Create(1, 1, 24);
    runLength24.Create(1, 1, 24);
    runLength24.SetFormatFlags(runLength24.GetFormatFlags() | kFrameRunLengthAlpha);
    picture32.Create(1, 1, 32);
    display.Create(1, 1, 32);
    CBlitTypeList& list = CBlitter::GetRegistry();
    for (uint32_t i = 0; i < list.GetCount(); ++i) {
        CBlitter* blitter = list.GetValue(i);
        const std::string name = list.GetItemName(i);
        const bool shadow = blitter == &g_shadowBlitter, scale = blitter == &g_normalScaleBlitter;
        EXPECT_EQ(blitter->FindRoutine(&plain24, &display) != nullptr, !shadow) << name;
        EXPECT_EQ(blitter->FindRoutine(&runLength24, &display) != nullptr, !shadow && !scale) << name;
        EXPECT_EQ(blitter->FindRoutine(&picture32, &display) != nullptr, !shadow && !scale) << name;
    }
}
