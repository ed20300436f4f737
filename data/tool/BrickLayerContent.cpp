#include "BrickLayerContent.h"

#include "BrickPainter.h"
#include "CoverageMask.h"
#include "Lettering.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;
// Where the machine is drawn from: the middle of the screen's width; and the field's edges.
constexpr int kDrawX = 320;
constexpr int kFieldLeft = 11;
constexpr int kFieldRight = 501;
// The rail lies above the carriage's row, clear of the brick being laid (its top is 9 above).
constexpr int kRailTop = -17;
constexpr int kRailHeight = 7;
// The gears' teeth and radii; a turn of a tooth is this many pixels of travel up or down.
constexpr int kTeeth = 10;
constexpr double kGearRadius = 9.5;
constexpr int kGearFrames = 5;
constexpr float kPixelsPerTooth = 5.0f;
// The carriage plays its frames once per brick at this rate (at the machine's slowest).
constexpr int kCarriageFrames = 8;
constexpr float kCarriageRate = 16.0f;

const Rgba kOutline{16, 16, 26, 255};

const LetterStyle& SteelStyle()
{
    static const brickpaint::Tint steel = brickpaint::SteelTint();
    static const LetterStyle style{.top = steel.top, .middle = steel.middle, .bottom = steel.bottom, .bevel = 190,
                                   .outline = kOutline, .outlineWidth = 1};
    return style;
}

const LetterStyle& DarkStyle()
{
    static const brickpaint::Tint metal = brickpaint::GunmetalTint();
    static const LetterStyle style{.top = metal.top, .middle = metal.middle, .bottom = metal.bottom, .bevel = 190,
                                   .outline = kOutline, .outlineWidth = 1};
    return style;
}

void PaintShape(CImage& image, const CCoverageMask& shape, const LetterStyle& style)
{
    const auto [top, bottom] = shape.GetInkRows();
    PaintLettering(image, shape, 0, 0, style, top, bottom);
}

// The rail across the field with a rack of teeth along its top.
CImage PaintBar()
{
    const int width = kFieldRight - kFieldLeft;
    CImage image(width, kRailHeight + 3);
    image.SetHotSpot(kDrawX - kFieldLeft, -kRailTop + 2);
    CCoverageMask rail(width, image.GetHeight());
    rail.AddRoundedRect(1, 3, width - 1, 3 + kRailHeight - 1, 1.5);
    for (int x = 4; x < width - 4; x += 4)
        rail.AddRoundedRect(x, 1, x + 2, 4, 0.5);
    PaintShape(image, rail, SteelStyle());
    return image;
}

// A gear wheel of the frame's turn, centred on the field's edge at the rail's height.
CImage PaintGear(int frame, int edgeX, int direction)
{
    constexpr int kSize = 24;
    CImage image(kSize, kSize);
    image.SetHotSpot(kSize / 2 + (kDrawX - edgeX), kSize / 2 - (kRailTop + kRailHeight / 2));
    const double turn = direction * (2 * kPi / kTeeth) * frame / kGearFrames;
    const double c = kSize / 2.0;
    CCoverageMask gear(kSize, kSize);
    gear.AddShape([=](double x, double y) {
        const double dx = x - c, dy = y - c;
        const double r = std::hypot(dx, dy);
        const double a = std::atan2(dy, dx) - turn;
        // Teeth: the rim stands out where the cosine of the teeth's angle is high.
        const double tooth = std::cos(a * kTeeth) > 0.1 ? kGearRadius : kGearRadius - 2.2;
        return r <= tooth && r >= 2.2;
    });
    PaintShape(image, gear, DarkStyle());
    // Spokes, so that the turn shows.
    for (int spoke = 0; spoke < 3; ++spoke) {
        const double a = turn + spoke * 2 * kPi / 3;
        CCoverageMask line(kSize, kSize);
        line.AddShape([=](double x, double y) {
            const double dx = x - c, dy = y - c;
            const double along = dx * std::cos(a) + dy * std::sin(a);
            const double across = -dx * std::sin(a) + dy * std::cos(a);
            return along > 2.5 && along < kGearRadius - 3 && std::abs(across) < 0.9;
        });
        line.Paint(image, 0, 0, Rgba{210, 216, 230, 255});
    }
    CCoverageMask hub(kSize, kSize);
    hub.AddEllipse(c, c, 2.6, 2.6);
    PaintShape(image, hub, SteelStyle());
    return image;
}

// The trolley on the rail, its arms round the brick's place and the light that sets the brick:
// frame 0 closed and dark, the last open with the brick's outline fully lit.
CImage PaintCarriage(int frame)
{
    constexpr int kWidth = 52, kHeight = 40;
    constexpr int kCx = kWidth / 2, kCy = 22;
    CImage image(kWidth, kHeight);
    image.SetHotSpot(kCx, kCy);
    const double open = static_cast<double>(frame) / (kCarriageFrames - 1);
    const double spread = 19 + 2 * open;

    // The field of light in the brick's place, under the arms.
    for (int y = kCy - 9; y < kCy + 9; ++y)
        for (int x = kCx - 16; x < kCx + 16; ++x) {
            const bool edge = y == kCy - 9 || y == kCy + 8 || x == kCx - 16 || x == kCx + 15;
            const double alpha = open * (edge ? 230 : 70);
            image.BlendPixel(x, y, edge ? Rgba{220, 255, 255, 255} : Rgba{120, 220, 255, 255},
                             static_cast<uint32_t>(alpha));
        }

    CCoverageMask arms(kWidth, kHeight);
    for (int side : {-1, 1}) {
        const double x = kCx + side * spread;
        arms.AddRoundedRect(x - 1.5, kCy - 12, x + 1.5, kCy + 11, 1);
        // The claw turns in under the brick.
        const double inner = x - side * 4;
        arms.AddRoundedRect(std::min(x, inner), kCy + 9, std::max(x, inner), kCy + 11.5, 0.8);
    }
    arms.AddRoundedRect(kCx - spread - 1.5, kCy - 13, kCx + spread + 1.5, kCy - 10, 1);
    PaintShape(image, arms, DarkStyle());

    CCoverageMask trolley(kWidth, kHeight);
    trolley.AddRoundedRect(kCx - 9, kCy - 20, kCx + 9, kCy - 10, 2);
    PaintShape(image, trolley, SteelStyle());
    for (int side : {-1, 1})
        brickpaint::PaintRivet(image, kCx + side * 5.5 + 0.5, kCy - 18);
    // A lamp on the trolley that lights with the field.
    CCoverageMask lamp(kWidth, kHeight);
    lamp.AddEllipse(kCx + 0.5, kCy - 14.5, 2.2, 2.2);
    lamp.Paint(image, 0, 0, MixColors(Rgba{40, 60, 70, 255}, Rgba{200, 255, 255, 255}, static_cast<uint32_t>(open * 255)));
    return image;
}

std::vector<CImage> PaintFrames(int count, CImage (*paint)(int))
{
    std::vector<CImage> frames;
    for (int i = 0; i < count; ++i)
        frames.push_back(paint(i));
    return frames;
}

} // namespace

std::vector<DrawnSequence> PaintBrickLayer()
{
    std::vector<CImage> left, right;
    for (int i = 0; i < kGearFrames; ++i) {
        left.push_back(PaintGear(i, kFieldLeft, 1));
        right.push_back(PaintGear(i, kFieldRight, -1));
    }
    return {{"Brick Layer/Bar", 1.0f, {PaintBar()}},
            {"Brick Layer/Left Gears", kPixelsPerTooth, std::move(left)},
            {"Brick Layer/Right Gears", kPixelsPerTooth, std::move(right)},
            {"Brick Layer/Carriage", kCarriageRate, PaintFrames(kCarriageFrames, PaintCarriage)}};
}

bool AddBrickLayerContent(CContentSet& set, std::string& error)
{
    return AddDrawnSequences(set, PaintBrickLayer(), error);
}
