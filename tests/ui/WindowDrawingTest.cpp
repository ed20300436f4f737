// Drawing: bevels and text against golden images and references written here, textures, and the
// tree drawn through the screen's proxy in each window's own coordinates.
#include "../graphics/GoldenImage.h"
#include "UiTestSupport.h"
#include "blit/ColorPacking.h"
#include "blit/modes/TableBlendBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "objects/EnumTable.h"
#include "objects/ResourceCollection.h"
#include "ui/SkinTheme.h"

using frametest::ReadPixel;
using frametest::WritePixel;
using uitest::To24;

namespace {

// A palette of one steel-blue hue from dark to light, so that lighter and darker shades exist.
void MakeSteelPalette()
{
    g_currentPalette.Create(1);
    for (uint32_t i = 0; i < 256; ++i)
        g_currentPalette.SetEntry(i, static_cast<uint8_t>(i * 55 / 100), static_cast<uint8_t>(i * 70 / 100),
                                  static_cast<uint8_t>(i));
}

struct BevelCase
{
    CIntRect rect;
    bool raised;
    uint32_t sides;
    int32_t style;
};
const BevelCase kBevels[] = {
    {{4, 4, 54, 28}, true, 15, 0},   {{62, 4, 112, 28}, false, 15, 0}, {{120, 4, 170, 28}, true, 3, 0},
    {{4, 34, 54, 58}, true, 15, 1},  {{62, 34, 112, 58}, false, 15, 1}, {{120, 34, 170, 58}, false, 12, 1},
    {{178, 4, 181, 58}, true, 15, 0},  // narrower than two passes
};

void DrawBevels(CFrame& frame, const CFont* font)
{
    for (const BevelCase& bevel : kBevels)
        CJWindow::DrawBevel(font, &frame, bevel.rect, bevel.raised, bevel.sides, bevel.style);
}

// A window whose Draw paints its content rect, so where it lands on screen shows.
class PaintedWindow : public CJWindow
{
public:
    PaintedWindow(const char* name, uint16_t pixel) : CJWindow(nullptr, name), m_pixel(pixel) {}
    void Draw(COffsetClippedProxyFrame* frame) override
    {
        CColor color;
        color.SetFromPixel565(m_pixel);
        frame->FillRect({-1000, -1000, 1000, 1000}, color);
        CJWindow::Draw(frame);
    }
    uint16_t m_pixel;
};

// Window textures made in memory, by name.
class TextureList : public CResourceCollection
{
public:
    explicit TextureList(std::vector<std::pair<std::string, uint16_t>> textures) : m_textures(std::move(textures))
    {
        std::vector<CSharedString> names;
        for (const auto& texture : m_textures)
            names.emplace_back(texture.first.c_str());
        SetEntries(names);
    }
    CObject* LoadItem(const char*, const char* fileName, CObject** out) override
    {
        for (const auto& texture : m_textures)
            if (texture.first == fileName) {
                auto* frame = new CFrame;
                frame->Create(8, 8, 16);
                for (uint32_t i = 0; i < 64; ++i)
                    WritePixel(*frame, i % 8, i / 8, texture.second + i);
                *out = frame;
                return frame;
            }
        return nullptr;
    }
    std::vector<std::pair<std::string, uint16_t>> m_textures;
};

class WindowDrawing : public uitest::ToolkitTest
{
protected:
    void TearDown() override
    {
        g_currentPalette.Free();
        uitest::ToolkitTest::TearDown();
    }
    static void MakeFrame(CFrame& frame, uint32_t width, uint32_t height, uint32_t depth, uint32_t fill)
    {
        frame.Create(width, height, depth);
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x)
                WritePixel(frame, x, y, fill);
    }
};

} // namespace

TEST_F(WindowDrawing, BevelsAtSixteenBits)
{
    CFrame frame;
    MakeFrame(frame, 188, 62, 16, PackRgbToPixel16(70, 96, 140));
    DrawBevels(frame, m_font.get());
    golden::ExpectMatchesGolden(*To24(frame), "BevelStyles16");
    // The first pass of a raised soft bevel lightens the top row and darkens the bottom one.
    const uint32_t base = PackRgbToPixel16(70, 96, 140);
    EXPECT_GT(ReadPixel(frame, 20, 4) & 0x1F, base & 0x1F);
    EXPECT_LT(ReadPixel(frame, 20, 27) & 0x1F, base & 0x1F);
    EXPECT_EQ(ReadPixel(frame, 20, 10), base);
}

TEST_F(WindowDrawing, BevelsAtEightBitsRemapThePalette)
{
    MakeSteelPalette();
    CFrame frame;
    MakeFrame(frame, 188, 62, 8, 130);
    DrawBevels(frame, m_font.get());
    golden::ExpectMatchesGolden(*To24(frame), "BevelStyles8");

    // The same drawn pixel by pixel from the rule: per pass the top row and left column in the
    // top-left tone, the right column (without its end rows) and bottom row (without its first
    // column) in the other, then one pixel in on every side.
    CPaletteTable tables[4];  // light 200, strong light 245, dark 80, strong dark 40
    const int32_t greys[4] = {200, 245, 80, 40};
    for (int i = 0; i < 4; ++i)
        tables[i].BuildColorAdjustTable(g_currentPalette, greys[i], greys[i], greys[i], 1, 255, 1, 255, nullptr);
    std::vector<uint8_t> expected(188 * 62, 130);
    auto apply = [&](int32_t x, int32_t y, const CPaletteTable& table) {
        uint8_t& pixel = expected[static_cast<size_t>(y) * 188 + x];
        pixel = table.GetData()[pixel];
    };
    for (const BevelCase& bevel : kBevels) {
        const CPaletteTable& light = tables[bevel.style == 1 ? 1 : 0];
        const CPaletteTable& dark = tables[bevel.style == 1 ? 3 : 2];
        const CPaletteTable& topLeft = bevel.raised ? light : dark;
        const CPaletteTable& bottomRight = bevel.raised ? dark : light;
        for (int32_t pass = 0; pass < 2; ++pass) {
            const int32_t l = bevel.rect.m_left + pass, t = bevel.rect.m_top + pass;
            const int32_t r = bevel.rect.m_right - pass, b = bevel.rect.m_bottom - pass;
            if (r <= l || b <= t)
                break;
            for (int32_t x = l; x < r && (bevel.sides & 2); ++x)
                apply(x, t, topLeft);
            for (int32_t y = t; y < b && (bevel.sides & 1); ++y)
                apply(l, y, topLeft);
            for (int32_t y = t + 1; y < b - 1 && (bevel.sides & 4); ++y)
                apply(r - 1, y, bottomRight);
            for (int32_t x = l + 1; x < r && (bevel.sides & 8); ++x)
                apply(x, b - 1, bottomRight);
        }
    }
    size_t differing = 0;
    for (uint32_t y = 0; y < 62; ++y)
        for (uint32_t x = 0; x < 188; ++x)
            differing += ReadPixel(frame, x, y) != expected[y * 188 + x];
    EXPECT_EQ(differing, 0u);
    EXPECT_NE(expected[4 * 188 + 20], 130);  // the tables do change the colour
}

TEST_F(WindowDrawing, NoBevelWithoutThicknessOrArea)
{
    CFrame frame;
    MakeFrame(frame, 20, 20, 16, 0x1234);
    CJWindow::DrawBevel(nullptr, &frame, {0, 0, 20, 20}, true, 15, 0);
    CJWindow::DrawBevel(m_font.get(), &frame, {10, 10, 10, 20}, true, 15, 0);
    CJWindow::DrawBevel(m_font.get(), nullptr, {0, 0, 20, 20}, true, 15, 0);
    for (uint32_t pixel : frametest::Snapshot(frame))
        ASSERT_EQ(pixel, 0x1234u);
}

TEST_F(WindowDrawing, TextWithShortcutsSymbolsAndDimming)
{
    const uint32_t paper = PackRgbToPixel16(24, 30, 52);
    CFrame frame;
    MakeFrame(frame, 170, 64, 16, paper);
    CJWindow dialog(nullptr, "dialog");
    dialog.SetRect({0, 0, 170, 64});
    auto add = [&](CJWindow& parent, const char* text, const CIntRect& rect) {
        auto* window = new CJWindow(&parent, text);
        window->SetRect(rect);
        parent.AddChild(window, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        return window;
    };
    CJWindow* save = add(dialog, "&Save", {0, 0, 80, 30});
    CJWindow* run = add(dialog, "a&bc&d", {0, 0, 80, 30});
    CJWindow* disabled = add(dialog, "&Dead", {0, 0, 80, 30});
    disabled->SetEnabled(false);
    CJWindow* group = add(dialog, "group", {0, 0, 170, 64});
    group->SetEnabled(false);
    CJWindow* inGroup = add(*group, "&Okay", {0, 0, 80, 15});  // underline lowered to row 14
    save->DrawText(&frame, 4, 4, kJustifyLeft);
    run->DrawText(&frame, 84, 4, kJustifyLeft);
    disabled->DrawText(&frame, 4, 24, kJustifyLeft);
    inGroup->DrawText(&frame, 166, 4, kJustifyRight);
    // Dimming hands the opacities back as they were.
    g_transparentMaskBlitter.SetOpacity(0.75f);
    disabled->DrawText(&frame, 125, 24, kJustifyCentre);
    EXPECT_FLOAT_EQ(g_transparentMaskBlitter.GetOpacity(), 0.75f);
    EXPECT_FLOAT_EQ(g_blackBiasBlitter.GetOpacity(), 1.0f);
    g_transparentMaskBlitter.SetOpacity(1.0f);
    const struct
    {
        const char* text;
        int32_t x;
    } symbols[] = {{"/\\", 40}, {"\\/", 60}, {"><", 80}};
    for (const auto& symbol : symbols) {
        CJWindow window(nullptr, symbol.text);
        window.DrawText(&frame, symbol.x, 50, kJustifyCentre);
    }
    golden::ExpectMatchesGolden(*To24(frame), "WindowText16");
    // The justifications are offered to properties by these names.
    CEnumTable& justifications = CJWindow::GetJustifications();
    EXPECT_EQ(justifications.GetValue(static_cast<uint32_t>(justifications.FindIndexByName("Justify Center", -1))),
              kJustifyCentre);
    EXPECT_EQ(justifications.GetCount(), 3u);

    // The underline of "&Save": one row at 4 + line height + row spacing / 2, under the S only,
    // one pixel in from each side of the glyph.
    const uint16_t highlight = save->GetHighlightColor().GetPixel16();
    const int32_t underlineRow = 4 + m_font->GetLineHeight() + save->GetRowSpacing() / 2;
    const int32_t left = 5, right = left + m_font->GetTextWidth("S") - 2;
    for (int32_t x = left - 1; x <= right; ++x)
        EXPECT_EQ(ReadPixel(frame, x, underlineRow) == highlight, x >= left && x < right) << x;
    // A disabled window shows no underline.
    for (uint32_t x = 0; x < 80; ++x)
        EXPECT_NE(ReadPixel(frame, x, 24 + underlineRow - 4), highlight) << x;

    // Dimmed ink lies between the ink and the paper wherever the enabled text has ink.
    CFrame enabled, dimmed;
    MakeFrame(enabled, 60, 20, 16, paper);
    MakeFrame(dimmed, 60, 20, 16, paper);
    disabled->SetEnabled(true);
    disabled->DrawText(&enabled, 2, 2, kJustifyLeft);
    disabled->SetEnabled(false);
    disabled->DrawText(&dimmed, 2, 2, kJustifyLeft);
    uint32_t inked = 0;
    for (uint32_t y = 0; y < 20; ++y)
        for (uint32_t x = 0; x < 60; ++x)
            if (ReadPixel(enabled, x, y) != paper && y < 14) {
                ++inked;
                EXPECT_NE(ReadPixel(dimmed, x, y), ReadPixel(enabled, x, y)) << x << "," << y;
                EXPECT_NE(ReadPixel(dimmed, x, y), paper) << x << "," << y;
            }
    EXPECT_GT(inked, 40u);
}

TEST_F(WindowDrawing, TexturesWrapFromTheGivenPoint)
{
    CFrame texture;
    MakeFrame(texture, 8, 8, 16, 0);
    for (uint32_t i = 0; i < 64; ++i)
        WritePixel(texture, i % 8, i / 8, 100 + i);
    CFrame target;
    MakeFrame(target, 60, 40, 16, 7);
    COffsetClippedProxyFrame proxy;
    proxy.ConstructForTarget(&target);
    proxy.SetOffset(-10, -5);          // window point (x, y) lands on target (x + 10, y + 5)
    proxy.SetClipRect({0, 0, 30, 20});  // the window's visible part
    struct Fill : CJWindow
    {
        using CJWindow::CJWindow;
        using CJWindow::FillWithTexture;
    };
    Fill::FillWithTexture(&proxy, &texture, {12, -3, 44, 9}, 3, 2);
    for (int32_t y = 0; y < 40; ++y)
        for (int32_t x = 0; x < 60; ++x) {
            const int32_t wx = x - 10, wy = y - 5;
            const bool inside = wx >= 12 && wx < 30 && wy >= 0 && wy < 9;
            const uint32_t expected =
                inside ? 100 + ((wx - 12 + 3) & 7) + 8 * ((wy + 3 + 2) & 7) : 7;
            ASSERT_EQ(ReadPixel(target, x, y), expected) << x << "," << y;
        }
}

TEST_F(WindowDrawing, BackgroundTexturesFollowTheThemeAndTheActiveState)
{
    TextureList textures({{"Window Texture", 1000}, {"Window Title Tile", 2000}});
    CJWindow::SetSkinResources(nullptr, &textures);
    CJWindow root(nullptr, "root");
    ASSERT_NE(root.GetBackgroundTexture(), nullptr);
    EXPECT_EQ(ReadPixel(*root.GetBackgroundTexture(), 0, 0), 1000u);  // the inactive form falls back
    root.SetFocus(true);
    EXPECT_EQ(ReadPixel(*root.GetBackgroundTexture(), 1, 0), 1001u);
    EXPECT_EQ(ReadPixel(*CWindowToolkitState::Get().GetTexture(CWindowToolkitState::kInactiveWindowTitleTile), 0, 0),
              2000u);

    // A theme's own texture wins.
    class ThemeWithTexture : public CSkinTheme
    {
    public:
        void SetUpWindow(CJWindow*, CJWindow*) override {}
        CFrame* GetBackgroundTexture(const CJWindow*) const override { return m_texture; }
        CJThemeButtonPart* CreateButtonPart(CJButton*) override { return nullptr; }
        CJThemePart* CreateWindowPart(CJWindow*) override { return nullptr; }
        CJThemeCaptionPart* CreateCaptionPart(CJWindow*) override { return nullptr; }
        CFrame* m_texture = nullptr;
    };
    ThemeWithTexture theme;
    CFrame own;
    MakeFrame(own, 4, 4, 16, 55);
    theme.m_texture = &own;
    root.SetTheme(&theme);
    EXPECT_EQ(root.GetBackgroundTexture(), &own);
    CJWindow::SetSkinResources(nullptr, nullptr);
}

TEST_F(WindowDrawing, TheTreeDrawsInEachWindowsOwnCoordinatesWithFocusFrames)
{
    CFrame target;
    MakeFrame(target, 100, 80, 16, 0);
    COffsetClippedProxyFrame proxy;
    proxy.ConstructForTarget(&target);
    PaintedWindow root("root", 1);
    root.SetRect({0, 0, 100, 80});
    auto* panel = new PaintedWindow("panel", 2);
    panel->SetRect({10, 10, 70, 50});
    root.AddChild(panel, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    auto* field = new PaintedWindow("field", 3);
    field->SetRect({30, 20, 90, 30});  // sticks out of the panel on the right
    field->SetTabStop(true);
    panel->AddChild(field, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    auto* hidden = new PaintedWindow("hidden", 4);
    hidden->SetRect({0, 0, 5, 5});
    hidden->Show(false, false);
    panel->AddChild(hidden, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    root.SetFocus(true);
    CWindowToolkitState::Get().keyboardNavigation = true;
    root.Draw(&proxy);

    auto at = [&](int32_t x, int32_t y) { return ReadPixel(target, x, y); };
    EXPECT_EQ(at(5, 5), 1u);
    EXPECT_EQ(at(10, 10), 2u);  // the hidden child does not draw
    EXPECT_EQ(at(45, 35), 3u);
    EXPECT_EQ(at(69, 39), 3u);
    EXPECT_EQ(at(70, 35), 1u);  // clipped at the panel's edge
    // The focus frame: the field's rect grown by one, in the panel's coordinates and clip.
    const uint16_t frameColor = panel->GetFocusFrameColor().GetPixel16();
    EXPECT_EQ(at(39, 29), frameColor);
    EXPECT_EQ(at(50, 40), frameColor);
    EXPECT_EQ(at(39, 35), frameColor);
    EXPECT_EQ(at(70, 40), 1u);
    // The proxy is handed back as it was given.
    EXPECT_EQ(proxy.GetOffsetX(), 0);
    EXPECT_EQ(proxy.GetClipRect(), (CIntRect{0, 0, 100, 80}));

    // Without keyboard navigation only framed windows get an outline, in the frame colour.
    MakeFrame(target, 100, 80, 16, 0);
    proxy.ConstructForTarget(&target);
    CWindowToolkitState::Get().keyboardNavigation = false;
    panel->SetFramed(true);
    root.SetFrameColor(0, 255, 0);
    root.Draw(&proxy);
    EXPECT_EQ(at(39, 29), 2u);
    EXPECT_EQ(at(9, 9), PackRgbToPixel16(0, 255, 0));
}
