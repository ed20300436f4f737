// The controls drawn with the project's window font on textured backdrops, against golden images
// at 16 and 8 bits: a slider with its focus frame, both scroll bars (one with a pressed arrow), a
// tab control and a column header; and the groove and track tints against a blend computed here.
#include "../graphics/GoldenImage.h"
#include "blit/ColorPacking.h"
#include "PaintedFont.h"
#include "TextureTestSupport.h"
#include "UiTestSupport.h"
#include "ui/JHeader.h"
#include "ui/JScrollBar.h"
#include "ui/JSlider.h"
#include "ui/JTabControl.h"
#include "ui/ScreenWindow.h"

namespace {

using frametest::ReadPixel;
using uitest::To24;

constexpr uint32_t kWidth = 320, kHeight = 150;

class ControlDrawing : public uitest::ToolkitTest
{
protected:
    void TearDown() override
    {
        m_screen.reset();
        g_currentPalette.Free();
        uitest::ToolkitTest::TearDown();
    }

    // Every control on a backdrop of the window texture (or of plain grey), drawn once.
    void DrawControls(uint32_t depth, bool plain = false)
    {
        if (depth == 8) {
            // A blue-grey ramp.
            g_currentPalette.Create(1);
            for (uint32_t i = 0; i < 256; ++i)
                g_currentPalette.SetEntry(i, static_cast<uint8_t>(i * 70 / 100), static_cast<uint8_t>(i * 85 / 100),
                                          static_cast<uint8_t>(i));
        }
        SetDisplayBitsPerPixel(static_cast<int32_t>(depth));
        std::string error;
        m_windowFont = MakePaintedFont("OCR Monospaced Numbers", VANTOREL_FONT_DIR, error);
        ASSERT_TRUE(m_windowFont) << error;
        CJWindow::SetDefaultFont(m_windowFont.get());
        std::vector<std::pair<std::string, uint16_t>> textures;
        if (!plain)
            textures.emplace_back("Window Texture", depth == 8 ? 96 : 0x4A69);
        m_textures = std::make_unique<uitest::TextureList>(textures, depth);
        CJWindow::SetSkinResources(nullptr, m_textures.get());
        m_target.Create(kWidth, kHeight, depth);
        m_screen = std::make_unique<CScreenWindow>(&m_target, m_windowFont.get());
        auto* backdrop = new Backdrop(m_screen.get(), plain);
        backdrop->SetRect({0, 0, static_cast<int32_t>(kWidth), static_cast<int32_t>(kHeight)});
        m_screen->AddChild(backdrop, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);

        auto* slider = new CJSlider(backdrop, 11, 0);
        slider->SetRect({6, 6, 126, 6 + slider->GetHeight()});
        backdrop->AddChild(slider, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        slider->SetValue(7, true);
        backdrop->ActivateChild(slider);
        CWindowToolkitState::Get().keyboardNavigation = true;

        auto* vertical = new CJScrollBar(backdrop, true);
        vertical->SetRect({140, 6, 155, 140});
        backdrop->AddChild(vertical, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        vertical->SetRange(0, 200);
        vertical->SetBarPosition(50, true);
        auto* horizontal = new CJScrollBar(backdrop, false);
        horizontal->SetRect({6, 40, 130, 55});
        backdrop->AddChild(horizontal, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        horizontal->SetRange(0, 30);
        horizontal->OnMouseDown(0, {125, 45});  // the right arrow held: drawn sunken, one step on

        auto* tabs = new CJTabControl(backdrop);
        for (const char* name : {"Game", "Sound", "Keys"})
            tabs->AddPage(new CJWindow(nullptr, name));
        tabs->SetRect({165, 6, 315, 90});
        backdrop->AddChild(tabs, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        tabs->SelectPage(1, true);

        auto* header = new CJHeader(backdrop);
        header->SetRect({6, 100, 130 + 0, 100 + header->GetHeight()});
        backdrop->AddChild(header, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        header->AddColumn(50, nullptr, kJustifyLeft, 1, 0, "Name");
        header->AddColumn(40, nullptr, kJustifyRight, 0, 0, "1234");
        header->AddColumn(30, nullptr, kJustifyCentre, 0, 0, "Rd");
        header->SetColumnFixedDigits(1, true);
        header->SetColumnResizable(2, false);
        m_header = header;
        m_slider = slider;
        m_vertical = vertical;
        m_screen->DrawScreen();
    }

    class Backdrop : public CJWindow
    {
    public:
        Backdrop(CJWindow* parent, bool plain) : CJWindow(parent, "Backdrop"), m_plain(plain) {}
        void Draw(COffsetClippedProxyFrame* frame) override
        {
            if (m_plain)
                frame->FillRect({0, 0, GetWidth(), GetHeight()}, kGrey);
            else
                FillWithTexture(frame, GetBackgroundTexture(), {0, 0, GetWidth(), GetHeight()}, 0, 0);
            CJWindow::Draw(frame);
        }
        static inline const CColor kGrey = [] {
            CColor grey;
            grey.ConstructRgba(160, 160, 160, 255);
            return grey;
        }();

    private:
        bool m_plain;
    };

    std::unique_ptr<CFont> m_windowFont;
    std::unique_ptr<uitest::TextureList> m_textures;
    CFrame m_target;
    std::unique_ptr<CScreenWindow> m_screen;
    CJHeader* m_header = nullptr;
    CJSlider* m_slider = nullptr;
    CJScrollBar* m_vertical = nullptr;
};

TEST_F(ControlDrawing, ControlsAtSixteenBits)
{
    DrawControls(16);
    golden::ExpectMatchesGolden(*To24(m_target), "Controls16");
}

TEST_F(ControlDrawing, ControlsAtEightBits)
{
    DrawControls(8);
    golden::ExpectMatchesGolden(*To24(m_target), "Controls8");
}

// 5-6-5 channels of a pixel, widened to 8 bits.
void Channels(uint32_t pixel, int& r, int& g, int& b)
{
    r = static_cast<int>((pixel >> 11) & 31) * 255 / 31;
    g = static_cast<int>((pixel >> 5) & 63) * 255 / 63;
    b = static_cast<int>(pixel & 31) * 255 / 31;
}

TEST_F(ControlDrawing, GrooveLinesAndTrackAreTheEngravedTints)
{
    DrawControls(16, true);
    const uint32_t grey = PackRgbToPixel16(160, 160, 160);
    int r0, g0, b0;
    Channels(grey, r0, g0, b0);
    // The dark line takes half of the grey away, the light line adds a tenth of the way to white;
    // the track is darkened like the dark line. One step of 5-6-5 rounding is allowed.
    const int dark = r0 * (255 - 128) / 255;
    const int light = r0 + (255 - r0) * 24 / 255;
    const int32_t unit = m_slider->GetFontUnit();
    const int32_t grooveY = m_slider->GetScreenRect().m_top + m_slider->GetHeight() / 2;
    const int32_t grooveX = m_slider->GetScreenRect().m_left + unit + 1;
    struct Probe
    {
        int32_t x, y;
        int expected;
    };
    const CIntRect track = m_vertical->GetTrackRect();
    const int32_t trackX = m_vertical->GetScreenRect().m_left + track.m_left + track.GetWidth() / 2;
    const int32_t trackY = m_vertical->GetScreenRect().m_top + m_vertical->GetThumbRect().m_bottom + 6;
    for (const Probe& p : {Probe{grooveX, grooveY, dark}, Probe{grooveX, grooveY + 1, light},
                           Probe{trackX, trackY, dark}}) {
        int r, g, b;
        Channels(ReadPixel(m_target, static_cast<uint32_t>(p.x), static_cast<uint32_t>(p.y)), r, g, b);
        EXPECT_NEAR(r, p.expected, 9) << p.x << "," << p.y;
        EXPECT_NEAR(g, p.expected, 5) << p.x << "," << p.y;
        EXPECT_NEAR(b, p.expected, 9) << p.x << "," << p.y;
    }
}

} // namespace
