// The start-up shows the company logo from the frame list: found by name among the pictures the
// list finds, loaded from its source image through its options and shown centred on the display.
// Data without the logo end the start with the list's not-found report.
#include "AppTestSupport.h"
#include "../blit/BlitTableTestSupport.h"
#include "app/TimedPictureScreen.h"
#include "blit/modes/CopyBlitter.h"
#include "foundation/FileBuf.h"
#include "foundation/VirtualFile.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "graphics/ScreenFrame.h"

#include <array>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kLogoWidth = 64;
constexpr int kLogoHeight = 48;
using Quadrants = std::array<std::array<uint8_t, 3>, 4>; // (B, G, R) of each quadrant
// Colours of full or no intensity, which every conversion to 16 bits keeps exact.
constexpr Quadrants kQuadrants = {{{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {0, 255, 255}}};

int Quadrant(int x, int y)
{
    return (x >= kLogoWidth / 2 ? 1 : 0) + (y >= kLogoHeight / 2 ? 2 : 0);
}

// "Data/Cache/Resources/<name>.Frame": the origin and a lossless record of the quadrant picture.
void WritePicture(const fs::path& data, const char* name, const Quadrants& quadrants = kQuadrants)
{
    CFrame image;
    image.Create(kLogoWidth, kLogoHeight, 32);
    for (int y = 0; y < kLogoHeight; ++y)
        for (int x = 0; x < kLogoWidth; ++x) {
            uint8_t* pixel = image.GetPixels() + (static_cast<size_t>(image.GetRowOffsets()[y]) + x) * 4;
            const auto& color = quadrants[Quadrant(x, y)];
            pixel[0] = color[0];
            pixel[1] = color[1];
            pixel[2] = color[2];
            pixel[3] = 255;
        }
    CVirtualFile file;
    file.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    file.WriteU32(0).WriteU32(0);
    ASSERT_TRUE(image.WriteSourceImage(file, 80, true));
    std::string bytes(file.GetSize(), '\0');
    file.Seek(0);
    file.Read(bytes.data(), static_cast<uint32_t>(bytes.size()));
    fs::create_directories(data / "Cache" / "Resources");
    testsupport::WriteFileBytes(data / "Cache" / "Resources" / (std::string(name) + ".Frame"), bytes);
}

// The options the shipped logo has: it draws straight to the screen, so its rows stay plain.
void WritePlainRowsOptions(const fs::path& data)
{
    fs::create_directories(data / "Resources");
    testsupport::WriteFileBytes(data / "Resources" / "CompanyLogo.txt",
                                "CStandAloneFrame\r\n{\r\n\tRun Length Encode=0\r\n}\r\n");
}

class StartUpLogo : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        platform::SetVirtualPresentStep(16666667);
    }

    static platform::MemoryDisplay& Device() { return platform::GetHeadlessBackend().GetMemoryDisplay(); }

    // The shown colour of every quadrant's middle, and of the pixels just outside the logo.
    static void ExpectLogoCentred(const CScreenFrame& display)
    {
        const int left = (display.GetWidth() - kLogoWidth) / 2;
        const int top = (display.GetHeight() - kLogoHeight) / 2;
        for (int q = 0; q < 4; ++q) {
            const int x = left + (q & 1 ? 3 : 1) * kLogoWidth / 4;
            const int y = top + (q & 2 ? 3 : 1) * kLogoHeight / 4;
            const uint32_t shown = Device().GetShownColor(x, y);
            // Full channels show at least 0xF8 whatever the expansion of 5 or 6 bits; empty ones 0.
            for (int channel = 0; channel < 3; ++channel) {
                const uint32_t value = (shown >> (8 * channel)) & 0xFF;
                EXPECT_EQ(value >= 0xF8, kQuadrants[q][channel] == 255) << "quadrant " << q << " " << std::hex << shown;
                EXPECT_TRUE(value == 0 || value >= 0xF8) << "quadrant " << q << " " << std::hex << shown;
            }
        }
        for (auto [x, y] : {std::pair{left - 1, top}, {left, top - 1}, {left + kLogoWidth, top + kLogoHeight - 1},
                            {left + kLogoWidth - 1, top + kLogoHeight}})
            EXPECT_EQ(Device().GetShownColor(x, y), 0u) << x << "," << y;
        EXPECT_NE(Device().GetShownColor(left, top), 0u);
        EXPECT_NE(Device().GetShownColor(left + kLogoWidth - 1, top + kLogoHeight - 1), 0u);
    }
};

TEST_F(StartUpLogo, TheListsLogoIsShownCentredAndFadedIn)
{
    WritePicture(m_dir.Path() / "Data", "CompanyLogo");
    WritePicture(m_dir.Path() / "Data", "Another Picture");
    WritePlainRowsOptions(m_dir.Path() / "Data");
    CTimedPictureScreen screen;
    TestApplication app(nullptr, &screen);

    CFrameCollection& frames = CFrameCollection::GetInstance();
    ASSERT_EQ(frames.GetCount(), 2u);
    const int index = frames.FindIndexByName("CompanyLogo", -1);
    ASSERT_GE(index, 0);
    CFrame* logo = screen.GetPicture();
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo, frames.GetItem(static_cast<uint32_t>(index))) << "the list's own frame, loaded once";
    EXPECT_EQ(logo->GetWidth(), kLogoWidth);
    EXPECT_EQ(logo->GetHeight(), kLogoHeight);
    EXPECT_EQ(logo->GetBitsPerPixel(), app.GetDisplay()->GetBitsPerPixel()) << "converted for the display";
    EXPECT_EQ(logo->GetFormatFlags() & kFrameRunLengthMask, 0u);
    EXPECT_EQ(app.GetDisplay()->GetFadeLevel(), 1.0f);
    ExpectLogoCentred(*app.GetDisplay());
    EXPECT_TRUE(fs::exists(m_dir.Path() / "Data" / "Cache" / "Resources" / "-CompanyLogo.frm16"))
        << "the conversion is kept for the next start";
    screen.ReleasePicture();
}

// Without its options the logo loads run-length encoded, as every picture of the list does by
// default; it shows once the copy blitter draws run-length frames onto the display.
TEST_F(StartUpLogo, ARunLengthLogoShowsWhereTheCopyBlitterDrawsIt)
{
    WritePicture(m_dir.Path() / "Data", "CompanyLogo");
    CTimedPictureScreen screen;
    TestApplication app(nullptr, &screen);
    CFrame* logo = screen.GetPicture();
    ASSERT_NE(logo, nullptr);
    EXPECT_NE(logo->GetFormatFlags() & kFrameRunLengthMask, 0u);
    if (!g_copyBlitter.FindRoutine(logo, app.GetDisplay())) {
        screen.ReleasePicture();
        GTEST_SKIP() << "the copy blitter draws no run-length frames onto the display yet";
    }
    ExpectLogoCentred(*app.GetDisplay());
    screen.ReleasePicture();
}

TEST_F(StartUpLogo, DataWithoutTheLogoEndTheStartWithTheNotFoundReport)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const bool otherPictures : {false, true}) {
        if (otherPictures)
            WritePicture(m_dir.Path() / "Data", "Another Picture");
        EXPECT_EXIT(
            {
                CTimedPictureScreen screen;
                TestApplication app(nullptr, &screen);
                std::exit(3);
            },
            testing::ExitedWithCode(255),
            "^Fatal Not Found Error: The game is looking for some data or a file but can not find it.  The item we "
            "are looking for is \"CompanyLogo\"")
            << (otherPictures ? "other pictures" : "no data");
    }
}

TEST_F(StartUpLogo, AnEightBitLogoIsConvertedAgainstTheGamePalette)
{
    // Quadrants in colours of the game palette, which the dithered conversion keeps exact.
    const int indices[4] = {20, 60, 100, 140};
    Quadrants colours;
    for (int q = 0; q < 4; ++q) {
        int r, g, b;
        blittest::PaletteEntry(indices[q], -1, r, g, b);
        colours[q] = {static_cast<uint8_t>(b), static_cast<uint8_t>(g), static_cast<uint8_t>(r)};
    }
    blittest::WriteGamePalette(m_dir.Path() / "Data");
    WritePicture(m_dir.Path() / "Data", "CompanyLogo", colours);
    WritePlainRowsOptions(m_dir.Path() / "Data");
    testsupport::WriteFileBytes(m_dir.Path() / "Vantorel.CFG", "[Options]\r\nScreen Bit Depth=8\r\n");
    {
        CTimedPictureScreen screen;
        TestApplication app(nullptr, &screen);
        ASSERT_EQ(app.GetDisplay()->GetBitsPerPixel(), 8u);
        CFrame* logo = screen.GetPicture();
        ASSERT_NE(logo, nullptr);
        ASSERT_EQ(logo->GetBitsPerPixel(), 8u);
        for (int y = 0; y < kLogoHeight; y += 5)
            for (int x = 0; x < kLogoWidth; x += 7)
                ASSERT_EQ(logo->GetRawPixel(x, y), static_cast<uint32_t>(indices[Quadrant(x, y)])) << x << "," << y;
        screen.ReleasePicture();
    }
    blittest::ForgetEightBitTables();
}

} // namespace
