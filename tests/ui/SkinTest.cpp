// Skins: skin files read, re-saved and refused by class, the fallbacks of fonts and button
// borders, classic and alpha borders drawn over pictures of the frame list, and the alpha theme's
// parts.
#include "../graphics/LoadTestSupport.h"
#include "../objects/TextStreamHelpers.h"
#include "UiTestSupport.h"
#include "foundation/FileBuf.h"
#include "foundation/VirtualFile.h"
#include "graphics/FontCollection.h"
#include "graphics/FrameCollection.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "objects/Object.h"
#include "ui/AlphaSkinBorder.h"
#include "ui/AlphaSkinData.h"
#include "ui/ClassicSkinBorder.h"
#include "ui/JAlphaButtonPart.h"
#include "ui/JAlphaCaptionPart.h"
#include "ui/JButton.h"
#include "ui/JWindowAlphaTheme.h"
#include "ui/SkinThemeList.h"
#include "../graphics/GoldenImage.h"
#include "FrameSourceFile.h"
#include "SkinContent.h"
#include "ui/ScreenWindow.h"
#include "blit/modes/CopyBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "TestSupport.h"

#include <filesystem>

using frametest::ReadPixel;
using loadtest::Bgra;

namespace {

// A hand-written skin: a pressed border but no hover border, a classic button border with margin.
const std::string kSkin = "CJWindowAlphaTheme\r\n"
                          "{\r\n"
                          "\tOptions=CAlphaSkinData\r\n"
                          "\t{\r\n"
                          "\t\tGeneral Font=!None\r\n"
                          "\t\tShortcut Key Highlight Color=250,200,40\r\n"
                          "\t\tBackground Color=10,20,30\r\n"
                          "\t\tSelect Color=90,80,70\r\n"
                          "\t\tStatic Text Control=!None\r\n"
                          "\t\tWindow Heading Font=!None\r\n"
                          "\t\tWindow Heading Offset=-12\r\n"
                          "\t\tWindow Border=CAlphaSkinBorder\r\n"
                          "\t\t{\r\n"
                          "\t\t\tBackground Texture=Texture\r\n"
                          "\t\t\tTop Left Alpha=!None\r\n"
                          "\t\t\tTop Right Alpha=!None\r\n"
                          "\t\t\tBottom Left Alpha=!None\r\n"
                          "\t\t\tBottom Right Alpha=!None\r\n"
                          "\t\t\tTop Left Highlight=Glow\r\n"
                          "\t\t\tTop Center Highlight=!None\r\n"
                          "\t\t\tTop Right Highlight=!None\r\n"
                          "\t\t\tCenter Left Highlight=!None\r\n"
                          "\t\t\tCenter Right Highlight=!None\r\n"
                          "\t\t\tBottom Left Highlight=!None\r\n"
                          "\t\t\tBottom Center Highlight=!None\r\n"
                          "\t\t\tBottom Right Highlight=!None\r\n"
                          "\t\t\tSpecial Top Right Highlight=Glow\r\n"
                          "\t\t}\r\n"
                          "\t\tButton Border=CClassicSkinBorder\r\n"
                          "\t\t{\r\n"
                          "\t\t\tBackground Texture=Texture\r\n"
                          "\t\t\tTexture Margin=3\r\n"
                          "\t\t\tTop Outer Color=255,255,255,24\r\n"
                          "\t\t\tTop Inner Color=255,255,255,48\r\n"
                          "\t\t\tBottom Inner Color=0,0,0,128\r\n"
                          "\t\t\tBottom Outer Color=0,0,0,160\r\n"
                          "\t\t}\r\n"
                          "\t\tPressed Button Border=CClassicSkinBorder\r\n"
                          "\t\t{\r\n"
                          "\t\t\tBackground Texture=!None\r\n"
                          "\t\t\tTexture Margin=0\r\n"
                          "\t\t\tTop Outer Color=0,0,0,128\r\n"
                          "\t\t\tTop Inner Color=0,0,0,128\r\n"
                          "\t\t\tBottom Inner Color=255,255,255,24\r\n"
                          "\t\t\tBottom Outer Color=255,255,255,24\r\n"
                          "\t\t}\r\n"
                          "\t\tHover Button Border=\r\n"
                          "\t}\r\n"
                          "}\r\n";

constexpr uint32_t paper = 0x18E3;

// A 16-bit frame of the paper colour.
void FillPaper(CFrame& frame, uint32_t width, uint32_t height)
{
    frame.Create(width, height, 16);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            frametest::WritePixel(frame, x, y, paper);
}

constexpr uint8_t kTextureBlue = 206;  // on the 5-bit grid, so dithering keeps it uniform

// "Cache/Resources/<name>.Frame": a picture of one colour with its hot spot at (originX, originY)
// from its top-left corner, as the content tool writes it.
template <class PixelOf>
void WritePictureOf(const std::string& name, uint32_t width, uint32_t height, PixelOf pixelOf, int32_t originX = 0,
                    int32_t originY = 0)
{
    CFrame image;
    loadtest::Fill32(image, width, height, pixelOf);
    CVirtualFile file;
    file.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    const int32_t origin[2] = {originX, originY};
    file.Write(origin, 8);
    ASSERT_TRUE(image.WriteSourceImage(file, 80, true));
    std::string bytes(file.GetSize(), '\0');
    file.Seek(0);
    file.Read(bytes.data(), static_cast<uint32_t>(bytes.size()));
    const std::filesystem::path path = "Cache/Resources/" + name + ".Frame";
    std::filesystem::create_directories(path.parent_path());
    testsupport::WriteFileBytes(path, bytes);
}

void WritePicture(const std::string& name, uint32_t width, uint32_t height, uint32_t bgra, int32_t originX = 0,
                  int32_t originY = 0, bool clearFirstPixel = false)
{
    WritePictureOf(
        name, width, height,
        [&](uint32_t x, uint32_t y) { return clearFirstPixel && x + y == 0 ? Bgra(0, 0, 0, 0) : bgra; }, originX,
        originY);
}

class Skins : public uitest::ToolkitTest
{
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        m_oldFolder = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.Path());
        WritePicture("!None", 1, 1, Bgra(0, 0, 0, 0));
        WritePicture("Texture", 64, 64, Bgra(kTextureBlue, 0, 0, 255));
        WritePicture("Glow", 6, 6, Bgra(0, 248, 0, 255), -3, -3);
        // A rounded corner: its corner pixel clear; written into by the engine, so kept in plain rows.
        WritePicture("Corner", 4, 4, Bgra(128, 128, 128, 255), 0, 0, true);
        std::filesystem::create_directories("Resources");
        testsupport::WriteFileBytes("Resources/Corner.txt", "CStandAloneFrame\r\n{\r\n\tRun Length Encode=0\r\n}\r\n");
        testsupport::WriteFileBytes("Resources/Vantorel.JWindowSkin", kSkin);
        testsupport::WriteFileBytes("Resources/Plain.JWindowSkin",
                                    "CClassicSkinBorder\r\n{\r\n\tTexture Margin=2\r\n}\r\n");
        CFrameCollection::GetInstance().SetUpFolder("Frames", "Resources");
        CFontCollection::GetInstance().SetEntries({"!None"});
        GetSkinThemeList().SetUp();
    }
    void TearDown() override
    {
        GetSkinThemeList().FreeEntries();
        CFrameCollection::GetInstance().FreeEntries();
        CFontCollection::GetInstance().FreeEntries();
        std::filesystem::current_path(m_oldFolder);
        ToolkitTest::TearDown();
    }
    CAlphaSkinData* Options()
    {
        auto* theme = dynamic_cast<CJWindowAlphaTheme*>(GetSkinThemeList().FindTheme("Vantorel"));
        return theme ? theme->GetOptions() : nullptr;
    }

    testsupport::TempDir m_dir;
    std::filesystem::path m_oldFolder;
};

} // namespace

TEST_F(Skins, SkinFilesLoadResaveAndMustBeThemes)
{
    ASSERT_EQ(GetSkinThemeList().GetCount(), 2u);
    EXPECT_EQ(GetSkinThemeList().FindTheme("Plain"), nullptr);  // a border is no theme
    CSkinTheme* theme = GetSkinThemeList().FindTheme("Vantorel");
    ASSERT_NE(dynamic_cast<CJWindowAlphaTheme*>(theme), nullptr);
    CAlphaSkinData* options = Options();
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->GetHeadingOffset(), -12);
    EXPECT_EQ(options->GetShortcutHighlightColor().GetRed(), 250);
    auto* button = dynamic_cast<CClassicSkinBorder*>(options->GetButtonBorder());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetTextureMargin(), 3);
    EXPECT_NE(options->GetPressedButtonBorder(), nullptr);
    EXPECT_EQ(options->GetHoverButtonBorder(), nullptr);
    ASSERT_NE(options->GetWindowBorder()->GetBackgroundTexture(), nullptr);

    ASSERT_TRUE(theme->SaveToFile("Resaved.JWindowSkin", 0));
    EXPECT_EQ(testsupport::ReadFileBytes("Resaved.JWindowSkin"), kSkin);
    // Fonts of none fall back to the toolkit's default font.
    EXPECT_EQ(options->GetGeneralFont(), m_font.get());
    EXPECT_EQ(options->GetHeadingFont(), m_font.get());
    EXPECT_EQ(options->GetStaticTextFont(), m_font.get());
}

TEST_F(Skins, NamedSkinBecomesTheDefaultThemeAndDressesWindows)
{
    CJWindow screen(nullptr, "Screen");
    EXPECT_FALSE(UseSkinTheme("Missing", &screen));
    ASSERT_TRUE(UseSkinTheme("Vantorel", &screen));
    CSkinTheme* theme = GetSkinThemeList().FindTheme("Vantorel");
    EXPECT_EQ(CJWindow::GetDefaultTheme(), theme);
    EXPECT_EQ(screen.GetTheme(), theme);
    CJWindow window(&screen, "Window");
    EXPECT_EQ(window.GetHighlightColor().GetGreen(), 200);
    EXPECT_EQ(window.GetBackgroundColor().GetBlue(), 30);
    EXPECT_EQ(window.GetSelectColor().GetRed(), 90);
    EXPECT_EQ(window.GetBackgroundTexture(), Options()->GetWindowBorder()->GetBackgroundTexture());
    CJButton button(&screen, "Go", nullptr);
    auto* part = dynamic_cast<CJAlphaButtonPart*>(button.GetThemePart());
    ASSERT_NE(part, nullptr);

    // Normal, hovered without a hover border, pressed with its own border, and checked.
    CSkinBorder* normal = Options()->GetButtonBorder();
    CSkinBorder* pressed = Options()->GetPressedButtonBorder();
    CSequence* cursor = nullptr;
    EXPECT_EQ(part->ChooseBorder(), normal);
    button.SetRect({0, 0, 40, 20});
    button.OnMouseMove({5, 5}, {0, 0}, cursor);
    EXPECT_EQ(part->ChooseBorder(), normal);
    button.OnMouseDown(0, {5, 5});
    EXPECT_EQ(part->ChooseBorder(), pressed);
    button.OnMouseMove({90, 90}, {0, 0}, cursor);
    EXPECT_EQ(part->ChooseBorder(), normal);
    button.SetChecked(1);
    EXPECT_EQ(part->ChooseBorder(), pressed);
    // Skin data without the optional borders draws a pressed button with the normal border.
    CAlphaSkinData plain;
    plain.SetPropertiesToDefaults();
    ASSERT_EQ(plain.GetPressedButtonBorder(), nullptr);
    CJAlphaButtonPart plainPart(&button, &plain);
    EXPECT_NE(plain.GetButtonBorder(), nullptr);
    EXPECT_EQ(plainPart.ChooseBorder(), plain.GetButtonBorder());
}

TEST_F(Skins, ClassicBorderLeavesItsMarginAroundTheTexture)
{
    CFrame target;
    FillPaper(target, 40, 30);
    CSkinBorder* border = Options()->GetButtonBorder();
    DrawSkinBorder(&target, {4, 4, 36, 26}, border, true, false);
    const uint32_t texture = ReadPixel(target, 20, 15);
    EXPECT_NEAR(static_cast<int>(texture & 0x1F), kTextureBlue >> 3, 1);
    // Along a row through the middle: outside, two rings, the third margin pixel untouched, texture.
    const uint32_t y = 15;
    EXPECT_EQ(ReadPixel(target, 3, y), paper);
    EXPECT_NE(ReadPixel(target, 4, y), paper);  // outer ring (light)
    EXPECT_NE(ReadPixel(target, 5, y), paper);  // inner ring (lighter)
    EXPECT_GT(ReadPixel(target, 5, y) & 0x1F, ReadPixel(target, 4, y) & 0x1F);
    EXPECT_EQ(ReadPixel(target, 6, y), paper);  // margin 3: the content shows through
    EXPECT_EQ(ReadPixel(target, 7, y), texture);
    EXPECT_EQ(ReadPixel(target, 32, y), texture);
    EXPECT_EQ(ReadPixel(target, 33, y), paper);
    EXPECT_LT(ReadPixel(target, 35, y) & 0x1F, paper & 0x1F);  // bottom outer ring darkens
    // Without the body only the rings are drawn.
    CFrame bare;
    bare.Create(40, 30, 16);
    DrawSkinBorder(&bare, {4, 4, 36, 26}, border, false, false);
    EXPECT_EQ(ReadPixel(bare, 20, 15), 0u);
    DrawSkinBorder(&bare, {4, 4, 36, 26}, nullptr, true, true);  // no border: nothing
}

TEST_F(Skins, HighlightsReachPastTheWindowAndTheClipComesBack)
{
    CFrame target;
    target.Create(60, 60, 16);
    COffsetClippedProxyFrame proxy;
    proxy.ConstructForTarget(&target);
    proxy.SetOffset(-20, -20);  // the window's content at (20, 20) on the target
    proxy.SetClipRect({0, 0, 20, 20});
    const CIntRect clip = proxy.GetClipRect();
    CSkinBorder* border = Options()->GetWindowBorder();
    DrawSkinBorder(&proxy, {0, 0, 20, 20}, border, true, false);
    EXPECT_EQ(proxy.GetClipRect(), clip);
    const uint32_t glow = ReadPixel(target, 18, 18);  // the top-left highlight, 3 px outside
    EXPECT_EQ((glow >> 5) & 63, 62u);
    EXPECT_EQ(ReadPixel(target, 21, 21), glow);
    EXPECT_EQ(ReadPixel(target, 16, 16), 0u);
    EXPECT_NEAR(static_cast<int>(ReadPixel(target, 30, 30) & 0x1F), kTextureBlue >> 3, 1);
    EXPECT_EQ(ReadPixel(target, 40, 30), 0u);  // the body stays inside the window
    // The special highlight stands in for the missing top-right one when asked.
    EXPECT_EQ(ReadPixel(target, 40, 18), 0u);
    DrawSkinBorder(&proxy, {0, 0, 20, 20}, border, false, true);
    EXPECT_EQ(ReadPixel(target, 40, 18), glow);
}

TEST_F(Skins, CaptionTakesTheCloseButtonsBorderAway)
{
    ASSERT_TRUE(UseSkinTheme("Vantorel", nullptr));
    CJWindow titled(nullptr, "Title");
    titled.SetRect({0, 0, 100, 60});
    auto* close = new CJButton(&titled, "\x18", nullptr);
    close->SetRect({80, 0, 100, 20});
    titled.AddChild(close, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    std::unique_ptr<CJThemeCaptionPart> caption(titled.GetTheme()->CreateCaptionPart(&titled));
    auto* alpha = dynamic_cast<CJAlphaCaptionPart*>(caption.get());
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->FindCloseButton(), close);
    CFrame target;
    target.Create(120, 80, 16);
    COffsetClippedProxyFrame proxy;
    proxy.ConstructForTarget(&target);
    proxy.SetOffset(-10, -10);
    proxy.SetClipRect({0, 0, 100, 60});
    caption->Draw(&proxy);
    auto* part = dynamic_cast<CJAlphaButtonPart*>(close->GetThemePart());
    ASSERT_NE(part, nullptr);
    EXPECT_TRUE(part->IsBorderRemoved());
    EXPECT_TRUE(close->IsTransparent());
    // The special highlight sits on the top-right corner.
    EXPECT_EQ((ReadPixel(target, 110, 10) >> 5) & 63, 62u);
    // Other messages are not the part's.
    CBroadcastMessage other(12345);
    EXPECT_FALSE(close->HandleThemeMessage(&other));
}

TEST_F(Skins, CornersShowTheTextureInTheirShape)
{
    CAlphaSkinBorder border;
    border.SetPropertiesToDefaults();
    CObjectTextStream stream;
    OpenTextForReading(stream, "CAlphaSkinBorder\r\n{\r\n\tBackground Texture=Texture\r\n\tTop Left Alpha=Corner\r\n}\r\n");
    ASSERT_TRUE(border.ReadFromTextStream(stream));
    ASSERT_NE(border.GetCornerImage(CAlphaSkinBorder::kTopLeft), nullptr);
    CFrame target;
    FillPaper(target, 40, 40);
    DrawSkinBorder(&target, {2, 2, 30, 30}, &border, true, false);
    const uint32_t texture = ReadPixel(target, 20, 20);
    EXPECT_NEAR(static_cast<int>(texture & 0x1F), kTextureBlue >> 3, 1);
    EXPECT_EQ(ReadPixel(target, 2, 2), paper);     // the corner's clear pixel
    EXPECT_EQ(ReadPixel(target, 3, 2), texture);   // its opaque pixels in the texture's colour
    EXPECT_EQ(ReadPixel(target, 5, 5), texture);
    EXPECT_EQ(ReadPixel(target, 6, 2), texture);   // the band beside the corner
    EXPECT_EQ(ReadPixel(target, 29, 29), texture);
    EXPECT_EQ(ReadPixel(target, 30, 30), paper);
}

TEST_F(Skins, ATextureSmallerThanTheBorderRepeatsAtItsOwnCoordinates)
{
    // Stripes of 8 pixels one way and 6 the other, so that the wrap shows on both axes; the
    // corners at the far end sample the texture past its size too.
    WritePictureOf("Stripes", 24, 18, [](uint32_t x, uint32_t y) {
        return Bgra(static_cast<uint8_t>(x / 8 * 80), static_cast<uint8_t>(y / 6 * 96), 0, 255);
    });
    // A bottom-right corner: its hot spot past its last pixel, which is clear.
    WritePictureOf(
        "Bottom Corner", 4, 4,
        [](uint32_t x, uint32_t y) { return x + y == 6 ? Bgra(0, 0, 0, 0) : Bgra(128, 128, 128, 255); }, -4, -4);
    testsupport::WriteFileBytes("Resources/Bottom Corner.txt", "CStandAloneFrame\r\n{\r\n\tRun Length Encode=0\r\n}\r\n");
    CFrameCollection::GetInstance().SetUpFolder("Frames", "Resources");
    CAlphaSkinBorder border;
    border.SetPropertiesToDefaults();
    CObjectTextStream stream;
    OpenTextForReading(stream, "CAlphaSkinBorder\r\n{\r\n\tBackground Texture=Stripes\r\n"
                               "\tBottom Right Alpha=Bottom Corner\r\n}\r\n");
    ASSERT_TRUE(border.ReadFromTextStream(stream));
    ASSERT_NE(border.GetBackgroundTexture(), nullptr);
    ASSERT_NE(border.GetCornerImage(CAlphaSkinBorder::kBottomRight), nullptr);
    CFrame target;
    FillPaper(target, 80, 50);
    const CIntRect rect{3, 2, 78, 49};   // 75 x 47: three and a bit copies across, two and a bit down
    DrawSkinBorder(&target, rect, &border, true, false);
    // The reference: the texture's own pixel at the point's coordinates modulo its size.
    CFrame texture;
    texture.Create(24, 18, 16);
    texture.Blit(border.GetBackgroundTexture(), {0, 0, 24, 18}, {0, 0, 24, 18}, &g_copyBlitter);
    for (int32_t y = rect.m_top; y < rect.m_bottom; ++y)
        for (int32_t x = rect.m_left; x < rect.m_right; ++x) {
            const bool clearCornerPixel = x == rect.m_right - 1 && y == rect.m_bottom - 1;
            const uint32_t want = clearCornerPixel ? paper
                                                   : ReadPixel(texture, static_cast<uint32_t>((x - rect.m_left) % 24),
                                                               static_cast<uint32_t>((y - rect.m_top) % 18));
            ASSERT_EQ(ReadPixel(target, static_cast<uint32_t>(x), static_cast<uint32_t>(y)), want) << x << "," << y;
        }
    EXPECT_EQ(ReadPixel(target, 78, 30), paper);
    EXPECT_EQ(ReadPixel(target, 40, 1), paper);
}

// On 24-bit and 32-bit displays the corner, kept 32-bit by its clear pixel, takes the texture's
// colours too, in its shape: no grey square at a rounded corner.
TEST_F(Skins, CornersShowTheTextureOnTheDeeperDisplays)
{
    const int32_t savedDepth = GetDisplayBitsPerPixel();
    for (uint32_t depth : {24u, 32u}) {
        SetDisplayBitsPerPixel(static_cast<int32_t>(depth));
        CFrameCollection& frames = CFrameCollection::GetInstance();
        frames.FreeEntries();
        frames.SetUpFolder("Frames", "Resources");
        frames.SetDefaultLoadStages(*CFrame::GetDefaultLoadStages());
        CAlphaSkinBorder border;
        border.SetPropertiesToDefaults();
        CObjectTextStream stream;
        OpenTextForReading(stream,
                           "CAlphaSkinBorder\r\n{\r\n\tBackground Texture=Texture\r\n\tTop Left Alpha=Corner\r\n}\r\n");
        ASSERT_TRUE(border.ReadFromTextStream(stream));
        ASSERT_EQ(border.GetCornerImage(CAlphaSkinBorder::kTopLeft)->GetBitsPerPixel(), 32u) << depth;
        CFrame target;
        target.Create(40, 40, depth);
        target.FillWithColor(g_colorWhite);
        DrawSkinBorder(&target, {2, 2, 30, 30}, &border, true, false);
        const uint32_t texture = ReadPixel(target, 20, 20) & 0xFFFFFF;
        EXPECT_EQ(texture, uint32_t{kTextureBlue}) << depth;
        EXPECT_EQ(ReadPixel(target, 2, 2) & 0xFFFFFF, 0xFFFFFFu) << depth;  // the corner's clear pixel
        for (const auto& [x, y] : {std::pair{3, 2}, std::pair{5, 5}, std::pair{6, 2}})
            EXPECT_EQ(ReadPixel(target, x, y) & 0xFFFFFF, texture) << depth << " at " << x << "," << y;
    }
    // The list loads for the tests after this one for the depth they draw at.
    SetDisplayBitsPerPixel(savedDepth);
    CFrameCollection::GetInstance().FreeEntries();
    CFrameCollection::GetInstance().SetDefaultLoadStages(*CFrame::GetDefaultLoadStages());
}

TEST_F(Skins, TheProjectSkinReadsAndWritesBackUnchanged)
{
    // The lists hold the names the skin chooses: the fonts and the pictures it names.
    const std::string& text = GetVantorelSkinText();
    std::vector<CSharedString> fonts, pictures{"!None"};
    size_t at = 0;
    while ((at = text.find('=', at)) != std::string::npos) {
        const size_t start = text.rfind('\t', at) + 1, end = text.find('\r', at);
        const std::string label = text.substr(start, at - start), value = text.substr(at + 1, end - at - 1);
        if (label.find("Font") != std::string::npos || label == "Static Text Control")
            fonts.emplace_back(value.c_str());
        else if (value.rfind("Skin ", 0) == 0)
            pictures.emplace_back(value.c_str());
        at = end;
    }
    CFontCollection::GetInstance().SetEntries(fonts);
    CFrameCollection::GetInstance().SetEntries(pictures);
    CObjectTextStream in;
    OpenTextForReading(in, text);
    CJWindowAlphaTheme theme;
    theme.SetPropertiesToDefaults();
    ASSERT_TRUE(theme.ReadFromTextStream(in));
    ASSERT_NE(theme.GetOptions(), nullptr);
    EXPECT_NE(theme.GetOptions()->GetHoverButtonBorder(), nullptr);
    CObjectTextStream out;
    out.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    theme.WriteToTextStream(out);
    EXPECT_EQ(WrittenText(out), text);
}

namespace {

// A titled window as the dialogs draw it: the theme's caption part, then the children.
class CaptionedWindow : public CJWindow
{
public:
    explicit CaptionedWindow(CJWindow* parent) : CJWindow(parent, "Skinned"), m_caption(GetTheme()->CreateCaptionPart(this)) {}
    void Draw(COffsetClippedProxyFrame* frame) override
    {
        m_caption->Draw(frame);
        CJWindow::Draw(frame);
    }

private:
    std::unique_ptr<CJThemeCaptionPart> m_caption;
};

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

TEST_F(Skins, ProjectSkinDrawsADialogWithButtonsInEachState)
{
    // The project's pictures as the data set stores them; its fonts left to the test font.
    for (const SkinPicture& picture : PaintSkinPictures()) {
        const CContentSet::Bytes bytes = EncodeFrameSourceFile(picture.image, true);
        testsupport::WriteFileBytes(std::string("Cache/Resources/") + picture.name + ".Frame",
                                    std::string(bytes.begin(), bytes.end()));
        if (picture.plainRows)
            testsupport::WriteFileBytes(std::string("Resources/") + picture.name + ".txt", kPlainRowsProperties);
    }
    std::string skin = Replace(GetVantorelSkinText(), "=OCR Monospaced Numbers", "=!None");
    testsupport::WriteFileBytes("Resources/Project.JWindowSkin", Replace(skin, "=Yellow Header", "=!None"));
    CFrameCollection::GetInstance().SetUpFolder("Frames", "Resources");
    GetSkinThemeList().SetUp();

    CFrame target;
    target.Create(260, 110, 16);
    CScreenWindow screen(&target, nullptr);
    ASSERT_TRUE(UseSkinTheme("Project", &screen));
    auto* dialog = new CaptionedWindow(&screen);
    dialog->SetRect({14, 14, 246, 96});
    screen.AddChild(dialog, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    auto* close = new CJButton(dialog, "\x18", nullptr);
    close->SetRect({208, 4, 228, 24});
    dialog->AddChild(close, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    CJButton* buttons[3] = {};
    const char* names[3] = {"OK", "SAY", "DO"};
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new CJButton(dialog, names[i], nullptr);
        buttons[i]->SetRect({10 + 72 * i, 36, 72 + 72 * i, 62});
        dialog->AddChild(buttons[i], kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    }
    CSequence* cursor = nullptr;
    const CIntPoint hovered{14 + 82 + 5, 14 + 36 + 5}, pressed{14 + 154 + 5, 14 + 36 + 5};
    buttons[1]->OnMouseMove(hovered, {0, 0}, cursor);
    buttons[2]->OnMouseDown(0, pressed);
    screen.DrawScreen();
    golden::ExpectMatchesGolden(*uitest::To24(target), "SkinnedDialog16");
    // The three faces differ: hover and pressed borders are the skin's own.
    EXPECT_NE(ReadPixel(target, 14 + 10 + 30, 14 + 36 + 20), ReadPixel(target, 14 + 82 + 30, 14 + 36 + 20));
    EXPECT_NE(ReadPixel(target, 14 + 82 + 30, 14 + 36 + 20), ReadPixel(target, 14 + 154 + 30, 14 + 36 + 20));
    EXPECT_TRUE(close->IsTransparent());
}

TEST_F(Skins, DisabledLookDimsAClickableButton)
{
    ASSERT_TRUE(UseSkinTheme("Vantorel", nullptr));
    CJButton button(nullptr, "OK", nullptr);
    button.SetRect({0, 0, 40, 20});
    auto draw = [&](CFrame& frame) {
        FillPaper(frame, 40, 20);
        button.GetThemePart()->Draw(&frame);
    };
    CFrame normal, dimmed;
    draw(normal);
    button.SetDisabledLook(true);
    draw(dimmed);
    EXPECT_TRUE(button.IsEnabled());
    EXPECT_FLOAT_EQ(g_transparentMaskBlitter.GetOpacity(), 1.0f);
    int differing = 0;
    for (uint32_t y = 0; y < 20; ++y)
        for (uint32_t x = 0; x < 40; ++x)
            differing += ReadPixel(normal, x, y) != ReadPixel(dimmed, x, y);
    EXPECT_GT(differing, 20);
}
