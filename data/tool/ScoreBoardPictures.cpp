#include "ScoreBoardPictures.h"

#include "CoverageMask.h"
#include "Lettering.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
// The field (open) and the advertisement (open: it is drawn under the frame).
constexpr int kFieldLeft = 11, kFieldTop = 10, kFieldRight = 501, kFieldBottom = 480;
constexpr int kAdLeft = 524, kAdTop = 337, kAdSize = 108;
constexpr int kAdvertisementSize = 108;

const LetterStyle kGold{.top = {255, 236, 160}, .middle = {226, 168, 48}, .bottom = {150, 90, 20}, .bevel = 170,
                        .bevelWidth = 3};
const LetterStyle kWell{.top = {8, 14, 40}, .middle = {6, 10, 30}, .bottom = {4, 6, 20}, .bevel = 0,
                        .outline = {110, 70, 14, 255}, .outlineWidth = 2};

void Paint(CImage& image, const CCoverageMask& mask, const LetterStyle& style, int top, int bottom)
{
    PaintLettering(image, mask, 0, 0, style, top, bottom);
}

CCoverageMask Rect(double left, double top, double right, double bottom, double radius)
{
    CCoverageMask mask(kWidth, kHeight);
    mask.AddRoundedRect(left, top, right, bottom, radius);
    return mask;
}

void Open(CImage& image, int left, int top, int right, int bottom)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            image.SetPixel(x, y, Rgba{0, 0, 0, 0});
}

uint8_t Channel(double value)
{
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0l, 255l));
}

// An advertisement: a gradient from top to bottom, a ring and a shape in the middle.
CImage PaintAdvertisement(Rgba top, Rgba bottom, int shape)
{
    CImage image(kAdvertisementSize, kAdvertisementSize);
    for (int y = 0; y < kAdvertisementSize; ++y)
        for (int x = 0; x < kAdvertisementSize; ++x)
            image.SetPixel(x, y, MixColors(top, bottom, static_cast<uint32_t>(y * 255 / (kAdvertisementSize - 1))));
    CCoverageMask mask(kAdvertisementSize, kAdvertisementSize);
    if (shape == 0) {
        mask.AddEllipse(54, 54, 30, 30);
    } else if (shape == 1) {
        mask.AddRoundedRect(14, 62, 94, 78, 8);
        mask.AddEllipse(54, 40, 12, 12);
    } else {
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 3; ++column)
                mask.AddRoundedRect(12 + column * 30, 14 + row * 20, 38 + column * 30, 28 + row * 20, 3);
    }
    PaintLettering(image, mask, 0, 0, kGold, 10, 98);
    // A thin gold rim round the picture.
    for (int i = 0; i < kAdvertisementSize; ++i)
        for (const auto& [x, y] : {std::pair{i, 0}, std::pair{i, kAdvertisementSize - 1}, std::pair{0, i},
                                   std::pair{kAdvertisementSize - 1, i}})
            image.SetPixel(x, y, Rgba{Channel(230), Channel(180), Channel(60), 255});
    return image;
}

} // namespace

CImage PaintScoreBoardFrame()
{
    CImage image(kWidth, kHeight);
    // A night-blue backdrop everywhere the field is not.
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            image.SetPixel(x, y, Rgba{Channel(12 + 10.0 * y / kHeight), Channel(16 + 12.0 * y / kHeight), 44, 255});
    // The field's golden border.
    CCoverageMask border = Rect(kFieldLeft - 8, kFieldTop - 8, kFieldRight + 8, kFieldBottom + 8, 6);
    border.Subtract(Rect(kFieldLeft, kFieldTop, kFieldRight, kFieldBottom, 0), 0, 0);
    Paint(image, border, kGold, 0, kHeight);
    // The golden panel and its dark wells: messages, title and figures, lives, advertisement.
    Paint(image, Rect(514, 6, 638, 474, 10), kGold, 6, 474);
    Paint(image, Rect(524, 28, 628, 136, 6), kWell, 28, 136);
    Paint(image, Rect(524, 144, 630, 302, 6), kWell, 144, 302);
    Paint(image, Rect(kAdLeft - 4, kAdTop - 4, kAdLeft + kAdSize + 4, kAdTop + kAdSize + 4, 4), kWell, kAdTop,
          kAdTop + kAdSize);
    Open(image, kFieldLeft, kFieldTop, kFieldRight, kFieldBottom);
    Open(image, kAdLeft, kAdTop, kAdLeft + kAdSize, kAdTop + kAdSize);
    return image;
}

std::vector<std::pair<std::string, CImage>> PaintAdvertisements()
{
    std::vector<std::pair<std::string, CImage>> pictures;
    pictures.emplace_back("Advertisement Ion Spheres", PaintAdvertisement({20, 40, 110, 255}, {4, 8, 30, 255}, 0));
    pictures.emplace_back("Advertisement Ship", PaintAdvertisement({90, 20, 60, 255}, {20, 4, 16, 255}, 1));
    pictures.emplace_back("Advertisement Bricks", PaintAdvertisement({20, 80, 50, 255}, {4, 20, 10, 255}, 2));
    return pictures;
}
