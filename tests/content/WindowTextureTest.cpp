// The window textures in the data set: stored as drawn, listed and loaded for the display by a
// picture list over "Interface/Textures", sized for the wrapping blend mode, seamless, and muted
// in their inactive forms.
#include "ContentTestSupport.h"
#include "WindowTextures.h"
#include "../foundation/ZipTestHelpers.h"
#include "foundation/MountArchives.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/ScreenMode.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

class WindowTextures : public testing::Test
{
protected:
    void SetUp() override
    {
        fs::copy(contenttest::BuiltDataFolder() / "Data", m_work.Path() / "Data", fs::copy_options::recursive);
        MountArchivesWithProgramFile(nullptr, "Data", true, false);
    }

    filetest::WorkFolder m_work;
    ziptest::MountGuard m_unmount;
};

// Mean difference between the columns (or rows) a and b of the picture, over all channels.
double Difference(const CImage& image, bool columns, int a, int b)
{
    const int length = columns ? image.GetHeight() : image.GetWidth();
    double total = 0;
    for (int i = 0; i < length; ++i) {
        const Rgba p = columns ? image.GetPixel(a, i) : image.GetPixel(i, a);
        const Rgba q = columns ? image.GetPixel(b, i) : image.GetPixel(i, b);
        total += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
    }
    return total / (3.0 * length);
}

double MeanSaturation(const CImage& image)
{
    double total = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            const Rgba p = image.GetPixel(x, y);
            total += std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b});
        }
    return total / (image.GetWidth() * image.GetHeight());
}

} // namespace

TEST_F(WindowTextures, StoredAsDrawnAndLoadedForTheDisplay)
{
    const int32_t savedDepth = GetDisplayBitsPerPixel();
    SetDisplayBitsPerPixel(16);
    CFrameCollection list;
    list.SetUpFolder("Window Texture Test", "Interface/Textures");
    CFrameLoadStage stages;
    stages.AddStage(kRequestDitheredDepthConvert);
    list.SetDefaultLoadStages(stages);
    for (const WindowTexture& texture : PaintWindowTextures()) {
        const CImage& drawn = texture.image;
        // Sizes the wrapping blend mode repeats by masking.
        EXPECT_EQ(drawn.GetWidth() & (drawn.GetWidth() - 1), 0) << texture.name;
        EXPECT_EQ(drawn.GetHeight() & (drawn.GetHeight() - 1), 0) << texture.name;

        CFrame source;
        ASSERT_TRUE(source.LoadSourceImage("Interface/Textures", texture.name)) << texture.name;
        ASSERT_EQ(source.GetWidth(), drawn.GetWidth());
        ASSERT_EQ(source.GetHeight(), drawn.GetHeight());
        const size_t rowBytes = static_cast<size_t>(drawn.GetWidth()) * 4;
        for (int y = 0; y < drawn.GetHeight(); ++y)
            ASSERT_EQ(0, std::memcmp(source.GetPixels() + static_cast<size_t>(source.GetRowOffsets()[y]) * 4,
                                     drawn.GetBytes().data() + rowBytes * y, rowBytes))
                << texture.name << " row " << y;

        const int index = list.FindIndexByName(texture.name, -1);
        ASSERT_GE(index, 0) << texture.name;
        auto* loaded = dynamic_cast<CFrame*>(list.GetItem(static_cast<uint32_t>(index)));
        ASSERT_NE(loaded, nullptr) << texture.name;
        EXPECT_EQ(loaded->GetBitsPerPixel(), 16u);
        EXPECT_EQ(loaded->GetFormatFlags() & kFrameRunLengthMask, 0u);
        EXPECT_EQ(loaded->GetWidth(), drawn.GetWidth());
    }
    SetDisplayBitsPerPixel(savedDepth);
    list.FreeEntries();
}

TEST(WindowTextureLook, SeamlessAndMutedWhenInactive)
{
    const std::vector<WindowTexture> textures = PaintWindowTextures();
    ASSERT_EQ(textures.size(), 4u);
    for (const WindowTexture& texture : textures) {
        const CImage& image = texture.image;
        // Across the wrap the picture changes no more than between neighbouring columns or rows.
        double columns = 0, rows = 0;
        for (int x = 0; x + 1 < image.GetWidth(); ++x)
            columns += Difference(image, true, x, x + 1);
        for (int y = 2; y + 1 < image.GetHeight(); ++y)
            rows += Difference(image, false, y, y + 1);
        columns /= image.GetWidth() - 1;
        rows /= image.GetHeight() - 3;
        EXPECT_LE(Difference(image, true, image.GetWidth() - 1, 0), 2 * columns + 1) << texture.name;
        if (std::string(texture.name).find("Title") == std::string::npos) {
            EXPECT_LE(Difference(image, false, image.GetHeight() - 1, 0), 2 * rows + 1) << texture.name;
        }
        for (int y = 0; y < image.GetHeight(); ++y)
            for (int x = 0; x < image.GetWidth(); ++x)
                ASSERT_EQ(image.GetPixel(x, y).a, 255) << texture.name;
    }
    EXPECT_STREQ(textures[0].name, "Window Texture");
    EXPECT_STREQ(textures[2].name, "Inactive Window Texture");
    EXPECT_LT(MeanSaturation(textures[2].image), MeanSaturation(textures[0].image) / 2);
    EXPECT_LT(MeanSaturation(textures[3].image), MeanSaturation(textures[1].image) / 2);
}
