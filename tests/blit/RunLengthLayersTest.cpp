// The layered draw of 8-bit run-length frames: the main rows and layers 4, 3, 2, 1 go to the
// strength slots from the blend step on, and each slot draws with its own rule. Random pictures
// in all five layers, every blend step, whole and clipped rectangles, against the slot rules
// written out here.
#include "BlitTableTestSupport.h"
#include "RunLengthTestSupport.h"
#include "SpanKernelTestSupport.h"
#include "blit/modes/AmplifyLightBlitter.h"
#include "blit/modes/CopyBlitter.h"
#include "blit/modes/TableBlendBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace rletest;

namespace {

// The rule of a slot: what a layer pixel of `value` does to destination pixel d.
using SlotRule = std::function<void(uint32_t slot, uint8_t* d, uint32_t value)>;

struct LayerCase
{
    const char* name;
    CBlitter* blitter;
    uint32_t destinationDepth;
    SlotRule rule;
};

// Slot kernels onto 8-bit destinations: the 20/80 and 40/60 tables, destination high first.
uint8_t CopySlot(uint32_t slot, uint8_t d, uint8_t s)
{
    switch (slot) {
    case 0: return s;
    case 1: return Alpha20_80.GetData()[d * 256 + s];
    case 2: return Alpha40_60.GetData()[d * 256 + s];
    case 3: return Alpha40_60.GetData()[s * 256 + d];
    default: return Alpha20_80.GetData()[s * 256 + d];
    }
}

// The light blend modes: the strength slot's darkened row, then the blend mode's table.
uint8_t LightSlot(CBlitter* blitter, uint32_t slot, uint8_t d, uint8_t s)
{
    const uint32_t* rows[] = {nullptr, g_paletteRow80, g_paletteRow60, g_paletteRow40, g_paletteRow20};
    const uint32_t row = slot == 0 ? s * 256u : rows[slot][s];
    return blitter->GetLookupTable()->GetData()[row + d];
}

// Random tables for every 8-bit lookup the slots read, emptied again at the end.
class CScopedLightTables
{
public:
    CScopedLightTables()
    {
        std::mt19937 random(5);
        for (CBlitter* blitter : {static_cast<CBlitter*>(&g_amplifyLightBlitter), static_cast<CBlitter*>(&g_blackBiasBlitter)}) {
            CPaletteTable* table = blitter->GetLookupTable();
            table->Create(4);
            for (uint32_t i = 0; i < 65536; ++i)
                table->GetData()[i] = static_cast<uint8_t>(random());
        }
        for (uint32_t* row : {g_paletteRow80, g_paletteRow60, g_paletteRow40, g_paletteRow20})
            for (uint32_t i = 0; i < 256; ++i)
                row[i] = 256 * (random() & 0xFF);
        for (uint32_t i = 0; i < 256; ++i)
            g_paletteToPixel16[i] = random() & 0xFFFF;
        g_copyBlitter.GetLookupTable()->Create(1);
        for (uint32_t i = 0; i < 768; ++i)
            g_copyBlitter.GetLookupTable()->GetData()[i] = static_cast<uint8_t>(random());
    }
    ~CScopedLightTables()
    {
        blittest::ForgetEightBitTables();
        g_copyBlitter.GetLookupTable()->Free();
        std::memset(g_paletteToPixel16, 0, sizeof g_paletteToPixel16);
    }

private:
    spantest::CScopedBlendTables m_blendTables;
};

void ExpandThroughPalette(uint8_t* d, uint32_t index, bool alpha)
{
    std::memcpy(d, g_copyBlitter.GetLookupTable()->GetData() + 3 * index, 3);
    if (alpha)
        d[3] = 0xFF;
}

} // namespace

TEST(RunLengthLayers, EachLayerDrawsInTheSlotOfItsBlendStep)
{
    CScopedLightTables tables;
    const LayerCase cases[] = {
        {"copy onto 8", &g_copyBlitter, 8, [](uint32_t slot, uint8_t* d, uint32_t v) { *d = CopySlot(slot, *d, uint8_t(v)); }},
        {"default onto 8", &g_transparentMaskBlitter, 8,
         [](uint32_t slot, uint8_t* d, uint32_t v) { *d = CopySlot(slot, *d, uint8_t(v)); }},
        {"copy onto 16, opaque", &g_copyBlitter, 16,
         [](uint32_t, uint8_t* d, uint32_t v) { std::memcpy(d, &g_paletteToPixel16[v], 2); }},
        {"copy onto 24 through the palette", &g_copyBlitter, 24,
         [](uint32_t, uint8_t* d, uint32_t v) { ExpandThroughPalette(d, v, false); }},
        {"copy onto 32 through the palette", &g_copyBlitter, 32,
         [](uint32_t, uint8_t* d, uint32_t v) { ExpandThroughPalette(d, v, true); }},
        {"amplify", &g_amplifyLightBlitter, 8,
         [](uint32_t slot, uint8_t* d, uint32_t v) { *d = LightSlot(&g_amplifyLightBlitter, slot, *d, uint8_t(v)); }},
        {"black bias", &g_blackBiasBlitter, 8,
         [](uint32_t slot, uint8_t* d, uint32_t v) { *d = LightSlot(&g_blackBiasBlitter, slot, *d, uint8_t(v)); }},
    };
    // Levels of blend steps 0 to 5 (step = 5 - floor(6 L / 256)).
    const uint32_t levels[] = {255, 214, 200, 128, 100, 43, 42, 0};
    std::mt19937 random(23);
    constexpr uint32_t kWidth = 48, kHeight = 3;
    std::vector<Picture> layers; // main, layer 4, 3, 2, 1: the order of the slots
    for (int i = 0; i < 5; ++i)
        layers.push_back(RandomPicture(kWidth, kHeight, 0xFF, random));
    CFrame source;
    MakeFrame(source, 8, kFrameRunLength8, layers[0], random);
    for (uint32_t i = 1; i < 5; ++i)
        frametest::AddLayer(source, 5 - i, Encode(layers[i], 1, random));
    for (const LayerCase& c : cases)
        for (uint32_t level : levels)
            for (const CIntRect rect : {CIntRect{0, 0, int32_t(kWidth), int32_t(kHeight)}, CIntRect{5, 1, 40, 3}}) {
                SCOPED_TRACE(std::string(c.name) + ", level " + std::to_string(level) + ", left " +
                             std::to_string(rect.m_left));
                CScopedOpacity opacity(*c.blitter, float(level) / 255.0f);
                ASSERT_EQ(c.blitter->GetLevel(), int32_t(level));
                const uint32_t step = c.blitter->GetBlendStep(), bytes = c.destinationDepth / 8;
                CFrame destination;
                MakePlainFrame(destination, kWidth, kHeight, c.destinationDepth, 0);
                const size_t size = size_t(kWidth) * kHeight * bytes;
                for (size_t i = 0; i < size; ++i)
                    destination.GetPixels()[i] = static_cast<uint8_t>(random());
                std::vector<uint8_t> expected(destination.GetPixels(), destination.GetPixels() + size);
                for (uint32_t slot = step; slot < 5; ++slot) {
                    const Picture& layer = layers[slot - step];
                    for (int32_t r = rect.m_top; r < rect.m_bottom; ++r)
                        for (int32_t x = rect.m_left; x < rect.m_right; ++x)
                            if (layer[r][x].covered)
                                c.rule(slot, &expected[(size_t(r) * kWidth + x) * bytes], layer[r][x].value);
                }
                destination.Blit(&source, rect, rect, c.blitter);
                ASSERT_EQ(std::memcmp(destination.GetPixels(), expected.data(), size), 0) << "step " << step;
            }
}

TEST(RunLengthLayers, LightBlendsDrawNothingWithoutTheirTable)
{
    // Every other table is there: only the blend mode's own is missing.
    CScopedLightTables tables;
    g_amplifyLightBlitter.GetLookupTable()->Free();
    g_blackBiasBlitter.GetLookupTable()->Create(1); // a palette is no blend table
    std::mt19937 random(3);
    CFrame source, destination;
    MakeFrame(source, 8, kFrameRunLength8, RandomPicture(20, 2, 0xFF, random), random);
    MakePlainFrame(destination, 20, 2, 8, 0x5A);
    for (CBlitter* blitter : {static_cast<CBlitter*>(&g_amplifyLightBlitter), static_cast<CBlitter*>(&g_blackBiasBlitter)}) {
        EXPECT_TRUE(destination.DrawFrameAt(&source, 0, 0, blitter));
        EXPECT_EQ(frametest::Snapshot(destination), std::vector<uint32_t>(40, 0x5A));
    }
}
