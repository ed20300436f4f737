// The game looks alike at every display depth: the main menu under the pointer, the statistics
// dialog with its tabs and lists, and a round of several brick types, each played through the game
// object by real input at 16 bits and then at 24, 32 and 8 bits, and compared with the 16-bit
// picture as the screen shows it. VANTOREL_DEPTH_LOOK_DUMP=<folder> writes the pictures there.
#include "DepthRun.h"
#include "shell/dialogs/StatisticsDialog.h"
#include "ui/ScreenWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#ifdef VANTOREL_DATA_DIR
namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr CIntRect kScreen{0, 0, kWidth, kHeight};

// What the screen shows, 0xRRGGBB a pixel, and the places the comparison leaves out.
struct Picture
{
    std::vector<uint32_t> pixels;
    std::vector<CIntRect> skipped;
};

struct Scenes
{
    Picture menu, dialog, round;
};

// How far a depth may stray from the 16-bit picture. Blocks: the largest difference of one
// channel's mean over a 4 x 4 block. 24 and 32 bits differ from 16 bits by the 16-bit levels (at
// most 4, green 2), the 16-bit dithering of textures and the 16-bit blend kernels' columns (up to
// 9); 8 bits draw through a palette of 254 colours, by nearest colour (sprites, pictures, without
// dithering: dark blue-greys move by up to 20) or in five strength bands (a soft glow: up to 37).
// Edges: the pixels where the brightness steps by more than 48 to the right or below, such as
// frames, tab outlines, text and the border of any box; nearly all of the 16-bit picture's must be
// found within a pixel (recall), and nearly all of the other picture's in the 16-bit one
// (precision: no box round a glyph or the pointer). Dithering adds a few edges of its own at 8 bits.
struct Tolerance
{
    int block;
    double recall;
    double precision;
};

Tolerance ToleranceOf(uint32_t depth)
{
    return depth == 8 ? Tolerance{40, 0.97, 0.85} : Tolerance{12, 0.97, 0.97};
}

constexpr int kEdgeStep = 48;

int Brightness(uint32_t p)
{
    return static_cast<int>(((p >> 16 & 0xFF) * 30 + (p >> 8 & 0xFF) * 59 + (p & 0xFF) * 11) / 100);
}

// The edge pixels of a picture, one byte a pixel.
std::vector<uint8_t> Edges(const std::vector<uint32_t>& pixels)
{
    std::vector<uint8_t> edges(pixels.size(), 0);
    for (int y = 0; y + 1 < kHeight; ++y)
        for (int x = 0; x + 1 < kWidth; ++x) {
            const int here = Brightness(pixels[y * kWidth + x]);
            edges[y * kWidth + x] = std::abs(here - Brightness(pixels[y * kWidth + x + 1])) > kEdgeStep ||
                                    std::abs(here - Brightness(pixels[(y + 1) * kWidth + x])) > kEdgeStep;
        }
    return edges;
}

bool EdgeNear(const std::vector<uint8_t>& edges, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx >= 0 && ny >= 0 && nx < kWidth && ny < kHeight && edges[ny * kWidth + nx])
                return true;
        }
    return false;
}

bool Skipped(const Picture& picture, int x, int y)
{
    for (const CIntRect& rect : picture.skipped)
        if (x >= rect.m_left && x < rect.m_right && y >= rect.m_top && y < rect.m_bottom)
            return true;
    return false;
}

class DepthLook : public DepthRun
{
protected:
    // The menu with the pointer over a button's label, the statistics dialog opened by a click,
    // and the first round started by the keyboard.
    Scenes Play(uint32_t depth)
    {
        Scenes scenes;
        Start(depth);
        Step(60);
        CMainMenuWindow* menu = CMainMenuWindow::GetOpen();
        EXPECT_NE(menu, nullptr);
        if (!menu)
            return scenes;
        const CIntRect statistics = menu->GetButton(1)->GetScreenRect();
        Queue(platform::Event::Mouse(platform::EventType::MouseMove, statistics.m_left + 30, statistics.m_top + 12));
        Step(30);
        scenes.menu = {Shown(kScreen), {}};
        Click(statistics);
        EXPECT_NE(dynamic_cast<CStatisticsDialog*>(m_game->GetScreenWindow()->GetModalWindow()), nullptr);
        scenes.dialog = {Shown(kScreen), {}};
        Press(platform::kKeyEscape, 27);
        EXPECT_EQ(m_game->GetScreenWindow()->GetModalWindow(), CMainMenuWindow::GetOpen());
        StartRound(*menu);
        // Seven seconds: the brick-laying machine has laid bricks of several types.
        Step(420);
        scenes.round = {Shown(kScreen), depth == 16 ? std::vector<CIntRect>{} : WhatOnlySixteenBitsDraw()};
        return scenes;
    }

    // Every 4 x 4 block within the depth's tolerance of the 16-bit picture, and the edges of both
    // pictures found in each other.
    static void ExpectLooksLike(const Picture& reference, const Picture& picture, uint32_t depth, const char* scene)
    {
        ASSERT_EQ(picture.pixels.size(), reference.pixels.size()) << scene;
        if (const char* folder = std::getenv("VANTOREL_DEPTH_LOOK_DUMP"))
            Dump(picture, std::string(folder) + "/" + scene + std::to_string(depth) + ".ppm");
        const Tolerance tolerance = ToleranceOf(depth);
        int worstBlock = 0, worstX = 0, worstY = 0;
        for (int by = 0; by < kHeight; by += 4)
            for (int bx = 0; bx < kWidth; bx += 4) {
                int sums[2][3] = {};
                int count = 0;
                for (int y = by; y < by + 4; ++y)
                    for (int x = bx; x < bx + 4; ++x) {
                        if (Skipped(picture, x, y))
                            continue;
                        const uint32_t a = reference.pixels[y * kWidth + x], b = picture.pixels[y * kWidth + x];
                        for (int c = 0; c < 3; ++c) {
                            sums[0][c] += static_cast<int>(a >> (8 * c) & 0xFF);
                            sums[1][c] += static_cast<int>(b >> (8 * c) & 0xFF);
                        }
                        ++count;
                    }
                for (int c = 0; count > 0 && c < 3; ++c)
                    if (const int distance = std::abs(sums[0][c] - sums[1][c]) / count; distance > worstBlock) {
                        worstBlock = distance;
                        worstX = bx;
                        worstY = by;
                    }
            }
        EXPECT_LE(worstBlock, tolerance.block)
            << scene << " at " << depth << " bits: the 4 x 4 block at (" << worstX << ", " << worstY << ")";

        const std::vector<uint8_t> expected = Edges(reference.pixels), found = Edges(picture.pixels);
        size_t edges[2] = {}, matched[2] = {};
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                if (Skipped(picture, x, y))
                    continue;
                if (expected[y * kWidth + x]) {
                    ++edges[0];
                    matched[0] += EdgeNear(found, x, y);
                }
                if (found[y * kWidth + x]) {
                    ++edges[1];
                    matched[1] += EdgeNear(expected, x, y);
                }
            }
        EXPECT_GE(static_cast<double>(matched[0]), tolerance.recall * static_cast<double>(edges[0]))
            << scene << " at " << depth << " bits: edges of the 16-bit picture missing";
        EXPECT_GE(static_cast<double>(matched[1]), tolerance.precision * static_cast<double>(edges[1]))
            << scene << " at " << depth << " bits: edges the 16-bit picture does not have";
    }

    static void Dump(const Picture& picture, const std::string& path)
    {
        std::ofstream out(path, std::ios::binary);
        out << "P6\n" << kWidth << " " << kHeight << "\n255\n";
        for (uint32_t p : picture.pixels)
            out << static_cast<char>(p >> 16) << static_cast<char>(p >> 8) << static_cast<char>(p);
    }
};

TEST_F(DepthLook, MenuDialogAndRoundAtEveryDepthLookAsAtSixteenBits)
{
    const Scenes reference = Play(16);
    if (const char* folder = std::getenv("VANTOREL_DEPTH_LOOK_DUMP"))
        for (const auto& [picture, scene] : {std::pair{&reference.menu, "menu"}, std::pair{&reference.dialog, "dialog"},
                                              std::pair{&reference.round, "round"}})
            Dump(*picture, std::string(folder) + "/" + scene + "16.ppm");
    // Each scene is drawn over the whole screen: pictures, panels and the round's background.
    for (const Picture* picture : {&reference.menu, &reference.dialog, &reference.round})
        ASSERT_GT(std::count_if(picture->pixels.begin(), picture->pixels.end(), [](uint32_t p) { return p != 0; }),
                  kWidth * kHeight / 2);
    // 8 bits last: its tables (palette, packing, blending) stay loaded after its run.
    for (uint32_t depth : {24u, 32u, 8u}) {
        const Scenes scenes = Play(depth);
        ExpectLooksLike(reference.menu, scenes.menu, depth, "menu");
        ExpectLooksLike(reference.dialog, scenes.dialog, depth, "dialog");
        ExpectLooksLike(reference.round, scenes.round, depth, "round");
    }
}

} // namespace
#endif
