// The classic theme's faces: a row of buttons in every state against golden images at 16 and 8
// bits, the pressed shift, the disabled image fading and the opacities handed back, and the caption.
#include "../graphics/GoldenImage.h"
#include "TextureTestSupport.h"
#include "UiTestSupport.h"
#include "blit/ColorPacking.h"
#include "blit/modes/CopyBlitter.h"
#include "blit/modes/TableBlendBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "objects/GlobalNameIndex.h"
#include "ui/JButton.h"
#include "ui/JClassicButtonPart.h"
#include "ui/JClassicCaptionPart.h"
#include "ui/JToggleButton.h"
#include "ui/JWindowClassicTheme.h"
#include "ui/ScreenWindow.h"

using frametest::ReadPixel;
using frametest::WritePixel;
using uitest::TextureList;
using uitest::To24;

namespace {

// A palette of warm browns from dark to light, with a few pure colours for the images.
void MakeBrownPalette()
{
    g_currentPalette.Create(1);
    for (uint32_t i = 0; i < 256; ++i)
        g_currentPalette.SetEntry(i, static_cast<uint8_t>(i), static_cast<uint8_t>(i * 80 / 100),
                                  static_cast<uint8_t>(i * 55 / 100));
}

class ButtonDrawing : public uitest::ToolkitTest
{
protected:
    void TearDown() override
    {
        m_screen.reset();
        g_currentPalette.Free();
        uitest::ToolkitTest::TearDown();
    }

    // A screen of the depth with the window textures set; the dialog covers it.
    void MakeScreen(uint32_t depth, uint32_t width, uint32_t height)
    {
        if (depth == 8) {
            MakeBrownPalette();
            m_font = uitest::MakeFont(8);
            CJWindow::SetDefaultFont(m_font.get());
        }
        m_textures = std::make_unique<TextureList>(
            std::vector<std::pair<std::string, uint16_t>>{{"Window Texture", depth == 8 ? 96 : 0x4208},
                                                          {"Window Title Tile", depth == 8 ? 160 : 0x8410}},
            depth);
        CJWindow::SetSkinResources(nullptr, m_textures.get());
        m_target.Create(width, height, depth);
        m_screen = std::make_unique<CScreenWindow>(&m_target, nullptr);
        m_dialog = new Backdrop(m_screen.get());
        m_dialog->SetRect({0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)});
        m_screen->AddChild(m_dialog, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    }
    template <class Button = CJButton>
    Button* Add(const char* text, const CIntRect& rect)
    {
        auto* button = new Button(m_dialog, text, nullptr);
        // An empty rect keeps the size the button gave itself.
        if (rect.IsEmpty())
            button->SetPosition(rect.m_left, rect.m_top);
        else
            button->SetRect(rect);
        m_dialog->AddChild(button, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        return button;
    }
    // An image of two colours: the left half a, the right half b.
    static std::unique_ptr<CFrame> MakeImage(uint32_t depth, uint32_t a, uint32_t b)
    {
        auto image = std::make_unique<CFrame>();
        image->Create(16, 10, depth);
        for (uint32_t y = 0; y < 10; ++y)
            for (uint32_t x = 0; x < 16; ++x)
                WritePixel(*image, x, y, x < 8 ? a : b);
        return image;
    }

    // The dialog paints the window texture over its area, as a dialog under buttons does.
    class Backdrop : public CJWindow
    {
    public:
        explicit Backdrop(CJWindow* parent) : CJWindow(parent, "Backdrop") {}
        void Draw(COffsetClippedProxyFrame* frame) override
        {
            FillWithTexture(frame, GetBackgroundTexture(), {0, 0, GetWidth(), GetHeight()}, 0, 0);
            CJWindow::Draw(frame);
        }
    };

    // A row of every state the classic face shows.
    void DrawRow(uint32_t depth)
    {
        MakeScreen(depth, 452, 40);
        const uint32_t light = depth == 8 ? 230 : PackRgbToPixel16(230, 200, 60);
        const uint32_t dark = depth == 8 ? 40 : PackRgbToPixel16(40, 60, 160);
        m_image = MakeImage(depth, light, dark);
        m_disabledImage = MakeImage(depth, dark, dark);
        Add("OK", {4, 4, 48, 28});
        CJButton* hovered = Add("SAY", {52, 4, 96, 28});
        hovered->OnMouseMove({60, 10}, {0, 0}, m_cursor);
        CJButton* pressed = Add("DO", {100, 4, 144, 28});
        pressed->OnMouseDown(0, {110, 10});
        CJButton* flashing = Add("ADD", {148, 4, 192, 28});
        flashing->Click();
        CJButton* disabled = Add("DEAD", {196, 4, 240, 28});
        disabled->SetEnabled(false);
        CJButton* imaged = Add("Pic", {244, 4, 288, 28});
        imaged->SetImage(m_image.get(), false);
        imaged->SetDisabledImage(m_disabledImage.get());
        imaged->SetEnabled(false);
        CJButton* focused = Add("&KEY", {292, 4, 336, 28});
        m_dialog->ActivateChild(focused);
        focused->SetFocus(true);
        CWindowToolkitState::Get().keyboardNavigation = true;
        CJToggleButton* toggle = Add<CJToggleButton>("YES", {340, 4, 0, 0});
        toggle->SetChecked(1);
        CJToggleButton* offToggle = Add<CJToggleButton>("", {396, 4, 0, 0});
        offToggle->SetEnabled(false);
        m_screen->DrawScreen();
    }

    CFrame m_target;
    std::unique_ptr<TextureList> m_textures;
    std::unique_ptr<CScreenWindow> m_screen;
    std::unique_ptr<CFrame> m_image, m_disabledImage;
    CJWindow* m_dialog = nullptr;
    CSequence* m_cursor = nullptr;
};

} // namespace

TEST_F(ButtonDrawing, ClassicRowAtSixteenBits)
{
    DrawRow(16);
    golden::ExpectMatchesGolden(*To24(m_target), "ButtonRow16");
}

TEST_F(ButtonDrawing, ClassicRowAtEightBits)
{
    DrawRow(8);
    golden::ExpectMatchesGolden(*To24(m_target), "ButtonRow8");
}

TEST_F(ButtonDrawing, DisabledDrawingHandsEveryOpacityBack)
{
    MakeScreen(16, 200, 40);
    m_image = MakeImage(16, 0xFFFF, 0x001F);
    CJButton* imaged = Add("Pic", {4, 4, 48, 28});
    imaged->SetImage(m_image.get(), false);
    imaged->SetEnabled(false);
    Add<CJToggleButton>("Off", {60, 4, 0, 0})->SetEnabled(false);
    Add("Text", {120, 4, 180, 28})->SetEnabled(false);
    const struct
    {
        CBlitter* blitter;
        float opacity;
    } blitters[] = {{&g_copyBlitter, 0.9f}, {&g_transparentMaskBlitter, 0.8f}, {&g_blackBiasBlitter, 0.7f}};
    for (const auto& b : blitters)
        b.blitter->SetOpacity(b.opacity);
    m_screen->DrawScreen();
    for (const auto& b : blitters) {
        EXPECT_FLOAT_EQ(b.blitter->GetOpacity(), b.opacity);
        b.blitter->SetOpacity(1.0f);
    }
}

TEST_F(ButtonDrawing, DownStatesShiftTheFaceByOnePixel)
{
    MakeScreen(16, 100, 60);
    const uint32_t left = PackRgbToPixel16(248, 0, 0), right = PackRgbToPixel16(0, 252, 0);
    m_image = MakeImage(16, left, right);
    CJButton* button = Add("Pic", {10, 10, 10, 10});
    button->SetImage(m_image.get(), false);
    const int32_t s = button->GetRowSpacing();
    ASSERT_GT(s, 2);  // the image starts inside the bevel
    // Where the image's colour boundary lies on screen tells the shift.
    auto boundary = [&] {
        m_screen->DrawScreen();
        const uint32_t y = static_cast<uint32_t>(10 + s + 4);
        for (uint32_t x = 10; x < 60; ++x)
            if (ReadPixel(m_target, x, y) == right)
                return static_cast<int32_t>(x) - 10 - s;
        return -1;
    };
    const struct
    {
        const char* state;
        std::function<void()> set;
        int32_t shift;
    } cases[] = {
        {"up", [] {}, 0},
        {"pressed inside", [&] { button->OnMouseDown(0, {12, 12}); }, 1},
        {"pressed, pointer outside", [&] { button->OnMouseMove({90, 50}, {0, 0}, m_cursor); }, 0},
        {"flashing", [&] {
             button->OnMouseUp(0, {90, 50});
             button->OnClicked();
         }, 1},
        {"flash over", [] {}, 0},
        {"checked", [&] { button->SetChecked(1); }, 1},
    };
    for (const auto& c : cases) {
        c.set();
        EXPECT_EQ(boundary(), 8 + c.shift) << c.state;
    }
}

TEST_F(ButtonDrawing, DisabledImageShowsThroughTheFadedImage)
{
    MakeScreen(16, 60, 40);
    const uint32_t white = PackRgbToPixel16(248, 252, 248), blue = PackRgbToPixel16(0, 0, 248);
    m_image = MakeImage(16, white, white);
    m_disabledImage = MakeImage(16, blue, blue);
    CJButton* button = Add("Pic", {0, 0, 0, 0});
    button->SetImage(m_image.get(), true);
    button->SetDisabledImage(m_disabledImage.get());
    // A disabled button, and an enabled one that only shows the disabled look (it stays clickable
    // to say why it is locked), look alike.
    const struct
    {
        const char* state;
        bool enabled, disabledLook;
    } cases[] = {{"disabled", false, false}, {"disabled look", true, true}};
    for (const auto& c : cases) {
        button->SetEnabled(true);
        button->SetDisabledLook(false);
        m_screen->DrawScreen();
        EXPECT_EQ(ReadPixel(m_target, 6, 5), white) << c.state;
        button->SetEnabled(c.enabled);
        button->SetDisabledLook(c.disabledLook);
        m_screen->DrawScreen();
        // Four tenths of the image over the disabled one: red and green near 0.4 of full.
        const uint32_t faded = ReadPixel(m_target, 6, 5);
        const uint32_t red = (faded >> 11) & 31, green = (faded >> 5) & 63, blueBits = faded & 31;
        EXPECT_NEAR(red, 31 * 4 / 10, 1) << c.state;
        EXPECT_NEAR(green, 63 * 4 / 10, 1) << c.state;
        EXPECT_EQ(blueBits, 31u) << c.state;
    }
}

TEST_F(ButtonDrawing, ClassicCaptionDrawsTheTitleBandAndEngravedLine)
{
    MakeScreen(16, 120, 60);
    CJWindow window(m_dialog, "ABC");
    CJWindow* titled = &window;
    titled->SetRect({0, 0, 120, 60});
    std::unique_ptr<CJThemeCaptionPart> caption(CJWindowClassicTheme::GetInstance().CreateCaptionPart(titled));
    ASSERT_NE(dynamic_cast<CJClassicCaptionPart*>(caption.get()), nullptr);
    m_target.FillWithColor(CColor());
    caption->Draw(&m_target);
    const int32_t line = m_font->GetLineHeight(), unit = line / 5, row = line + 4 * unit + 1;
    // The title tile (pixels counting up from 0x8410, 8 wide) fills the band, its origin at (3, 3).
    EXPECT_EQ(ReadPixel(m_target, 8, 3), 0x8410u + (8 - 3));
    EXPECT_EQ(ReadPixel(m_target, 116, row - 2), 0x8410u + (116 - 3) % 8 + 8 * ((row - 2 - 3) % 8));
    // Below the band the window texture shows, under the two engraved rows: half black, then a
    // touch of white, each blended over the texture.
    const uint32_t texture = ReadPixel(m_target, 60, row + 4);
    EXPECT_EQ(texture, 0x4208u + 60 % 8 + 8 * ((row + 4) % 8));
    const uint32_t darkRow = ReadPixel(m_target, 60, row), lightRow = ReadPixel(m_target, 60, row + 1);
    const uint32_t under = 0x4208u + 60 % 8 + 8 * (row % 8);
    EXPECT_NEAR(static_cast<int>((darkRow >> 11) & 31), static_cast<int>(((under >> 11) & 31) / 2), 1);
    EXPECT_GE((lightRow >> 5) & 63, ((0x4208u + 60 % 8 + 8 * ((row + 1) % 8)) >> 5) & 63);
    // The classic theme makes a button its classic part and a static text a part without looks.
    CJButton button(m_dialog, "B", nullptr);
    EXPECT_NE(dynamic_cast<CJClassicButtonPart*>(button.GetThemePart()), nullptr);
    std::unique_ptr<CJThemePart> part(CJWindowClassicTheme::GetInstance().CreateWindowPart(titled));
    CBroadcastMessage message(CJThemeButtonPart::GetRemoveBorderMessageType());
    EXPECT_FALSE(part->HandleMessage(&message));
    EXPECT_FALSE(button.HandleThemeMessage(&message));
    EXPECT_EQ(CJThemeButtonPart::GetRemoveBorderMessageType(),
              static_cast<uint32_t>(GetGlobalNameIndex("remove button border")));
}
