#include "MainMenuPicture.h"

#include "CoverageMask.h"
#include "Lettering.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
// The buttons start at (357, 27); the credits hot spot is 325 x 85 at (305, 348).
constexpr double kPanelLeft = 345, kPanelTop = 15, kPanelRight = 632, kPanelBottom = 300;
constexpr double kPlaqueLeft = 305, kPlaqueTop = 348, kPlaqueRight = 630, kPlaqueBottom = 433;

uint8_t Channel(double value)
{
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0l, 255l));
}

void PaintBackdrop(CImage& image)
{
    for (int y = 0; y < kHeight; ++y) {
        const double down = static_cast<double>(y) / kHeight;
        for (int x = 0; x < kWidth; ++x) {
            // A faint diagonal weave, so that the backdrop is not flat.
            const double weave = ((x + y) / 6 + (x - y + kHeight) / 6) % 2 ? 4.0 : 0.0;
            image.SetPixel(x, y, Rgba{Channel(10 + 12 * (1 - down) + weave), Channel(14 + 16 * (1 - down) + weave),
                                      Channel(40 + 40 * (1 - down) + weave), 255});
        }
    }
}

// The pit: the outer wall less the island, sunk into the backdrop with a gold rim on the wall.
void PaintPit(CImage& image)
{
    CCoverageMask pit(kWidth, kHeight);
    pit.AddPolygon(GetMenuOuterWall());
    CCoverageMask island(kWidth, kHeight);
    island.AddPolygon(GetMenuInnerWall());
    pit.Subtract(island, 0, 0);
    const LetterStyle floor{.top = {12, 30, 52}, .middle = {8, 20, 38}, .bottom = {4, 10, 24}, .bevel = 0,
                            .outline = {236, 180, 60, 255}, .outlineWidth = 3,
                            .shadow = {0, 0, 0, 160}, .shadowX = 3, .shadowY = 3, .shadowBlur = 3};
    PaintLettering(image, pit, 0, 0, floor, 51, 414);
    // The island, raised.
    const LetterStyle raised{.top = {70, 110, 170}, .middle = {40, 70, 128}, .bottom = {22, 40, 84}, .bevel = 160,
                             .bevelWidth = 3};
    PaintLettering(image, island, 0, 0, raised, 107, 197);
}

void PaintPanel(CImage& image, double left, double top, double right, double bottom)
{
    CCoverageMask panel(kWidth, kHeight);
    panel.AddRoundedRect(left, top, right, bottom, 14);
    const LetterStyle style{.top = {40, 60, 110}, .middle = {24, 38, 80}, .bottom = {14, 22, 52}, .bevel = 120,
                            .bevelWidth = 2, .outline = {120, 150, 210, 255}, .outlineWidth = 1,
                            .shadow = {0, 0, 0, 150}, .shadowX = 4, .shadowY = 4, .shadowBlur = 4};
    PaintLettering(image, panel, 0, 0, style, static_cast<int>(top), static_cast<int>(bottom));
}

// Three orbs on the plaque, the game's ball in gold.
void PaintOrbs(CImage& image)
{
    const LetterStyle gold{.top = {255, 244, 190}, .middle = {246, 186, 52}, .bottom = {176, 92, 14}, .bevel = 170,
                           .bevelWidth = 3};
    for (int i = 0; i < 3; ++i) {
        CCoverageMask orb(kWidth, kHeight);
        const double cx = kPlaqueLeft + 60 + i * 102, cy = (kPlaqueTop + kPlaqueBottom) / 2;
        orb.AddEllipse(cx, cy, 22, 22);
        PaintLettering(image, orb, 0, 0, gold, static_cast<int>(cy - 22), static_cast<int>(cy + 22));
    }
}

} // namespace

const std::vector<std::pair<double, double>>& GetMenuOuterWall()
{
    static const std::vector<std::pair<double, double>> wall = {
        {49, 414},  {130, 414}, {130, 260}, {197, 260}, {197, 414}, {275, 414},
        {275, 275}, {213, 232}, {275, 190}, {275, 100}, {214, 51},  {49, 51}};
    return wall;
}

const std::vector<std::pair<double, double>>& GetMenuInnerWall()
{
    static const std::vector<std::pair<double, double>> wall = {{130, 197}, {130, 107}, {196, 107}, {196, 197}};
    return wall;
}

CImage PaintMainMenuPicture()
{
    CImage image(kWidth, kHeight);
    PaintBackdrop(image);
    PaintPit(image);
    PaintPanel(image, kPanelLeft, kPanelTop, kPanelRight, kPanelBottom);
    PaintPanel(image, kPlaqueLeft, kPlaqueTop, kPlaqueRight, kPlaqueBottom);
    PaintOrbs(image);
    return image;
}
