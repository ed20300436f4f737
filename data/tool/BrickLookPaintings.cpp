#include "BrickLookPaintings.h"

#include "BrickPainter.h"
#include "CoverageMask.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using namespace brickpaint;

constexpr double kPi = 3.141592653589793;

// The colours of the blocks, each distinct at a glance and each within one hue of the game's
// palette, so that an 8-bit display keeps its shading.
const Tint kBlue{{150, 200, 255, 255}, {40, 110, 220, 255}, {16, 44, 120, 255}};
const Tint kGreen{{170, 255, 170, 255}, {40, 180, 70, 255}, {10, 80, 30, 255}};
const Tint kFire{{255, 235, 140, 255}, {250, 130, 20, 255}, {140, 30, 0, 255}};
const Tint kGold{{255, 240, 170, 255}, {215, 165, 40, 255}, {105, 66, 10, 255}};
const Tint kSlate{{120, 140, 150, 255}, {56, 72, 84, 255}, {22, 30, 38, 255}};
const Tint kCyan{{210, 255, 255, 255}, {30, 200, 220, 255}, {8, 90, 110, 255}};
const Tint kRed{{255, 150, 130, 255}, {205, 30, 25, 255}, {95, 8, 8, 255}};
const Tint kViolet{{225, 190, 255, 255}, {140, 70, 220, 255}, {58, 18, 110, 255}};
const Tint kRose{{255, 185, 220, 255}, {220, 60, 150, 255}, {100, 18, 68, 255}};
const Tint kGlass{{230, 250, 255, 255}, {150, 210, 235, 255}, {80, 140, 180, 255}};

const Rgba kWhite{255, 255, 255, 255};

using Painter = std::function<CImage(int frame)>;

DrawnSequence Look(const std::string& name, int frames, float framesPerSecond, const Painter& paint)
{
    DrawnSequence look{name, framesPerSecond, {}};
    for (int i = 0; i < frames; ++i)
        look.frames.push_back(paint(i));
    return look;
}

CImage Block(const Tint& tint)
{
    CImage image = NewBrick();
    PaintBlock(image, tint);
    return image;
}

// A band of light across the opaque part of the brick, leaning to the right, at x = position.
void PaintSheen(CImage& image, double position, uint8_t alpha)
{
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            const double along = x - position + 0.5 * y;
            if (along < 0 || along > 4 || image.GetPixel(x, y).a < 200)
                continue;
            image.BlendPixel(x, y, kWhite, static_cast<uint32_t>(alpha * (1.0 - std::abs(along - 2) / 2.0)));
        }
}

CCoverageMask Ellipse(double cx, double cy, double rx, double ry)
{
    CCoverageMask mask(kWidth, kHeight);
    mask.AddEllipse(cx, cy, rx, ry);
    return mask;
}

CImage PowerUp(int frame)
{
    CImage image = Block(kGreen);
    PaintGlow(image, 16, 9, 9, Rgba{255, 255, 160, 255}, 0.25 + 0.15 * std::sin(frame * kPi / 4));
    PaintSymbol(image, StarShape(16, 9.5, 5, 6.5, 2.8, 0), Rgba{255, 250, 190, 255}, Rgba{230, 150, 20, 255});
    PaintSheen(image, -10.0 + frame * 6.0, 110);
    return image;
}

// Dark metal with a band of hazard stripes: nothing breaks it.
CImage Obstacle()
{
    CImage image = NewBrick();
    PaintSteel(image, 0, kHeight, true, GunmetalTint());
    for (int y = 6; y < 12; ++y)
        for (int x = 8; x < 24; ++x) {
            const bool yellow = ((x + y) / 3) % 2 == 0;
            image.BlendPixel(x, y, yellow ? Rgba{250, 200, 30, 255} : Rgba{24, 24, 24, 255}, 255);
        }
    for (int x = 8; x < 24; ++x) {
        image.BlendPixel(x, 5, Rgba{10, 10, 14, 255}, 200);
        image.BlendPixel(x, 12, Rgba{200, 200, 210, 255}, 110);
    }
    return image;
}

CImage Indestructible()
{
    CImage image = NewBrick();
    PaintSteel(image, 0, kHeight, false, SteelTint());
    for (double y : {4.5, 13.5})
        for (double x : {4.5, 27.5})
            PaintRivet(image, x, y);
    return image;
}

// A breakable block armoured with a steel plate along the top or the bottom.
void PaintPlate(CImage& image, bool top)
{
    if (top)
        PaintSteel(image, 0, 8, true, SteelTint());
    else
        PaintSteel(image, 10, kHeight, true, SteelTint());
}

CImage Armoured(const Tint& tint, bool plateOnTop)
{
    CImage image = Block(tint);
    PaintPlate(image, plateOnTop);
    return image;
}

CImage Exploding(int frame)
{
    CImage image = Block(kFire);
    PaintGlow(image, 16, 9, 12, Rgba{255, 255, 120, 255}, 0.35 + 0.3 * std::sin(frame * 2 * kPi / 6));
    PaintSymbol(image, StarShape(16, 9, 8, 7.5, 3.4, frame * kPi / 24), Rgba{255, 255, 200, 255},
                Rgba{220, 40, 10, 255});
    return image;
}

// A 3-hit block after damage hits (0 to 2): fewer gems and more cracks; armour on one side for
// the kinds that take hits from one side only (plate: 0 none, 1 top, 2 bottom).
CImage ThreeHit(int damage, int plate)
{
    CImage image = Block(kGold);
    if (damage > 0)
        PaintCracks(image, 2 * damage);
    const double gemY = plate == 1 ? 12.5 : plate == 2 ? 5.5 : 9;
    for (int gem = 0; gem < 3 - damage; ++gem) {
        const double x = 16 + (gem - (2 - damage) / 2.0) * 6.5;
        PaintSymbol(image, Ellipse(x, gemY, 2.4, 2.4), Rgba{255, 210, 210, 255}, Rgba{190, 0, 30, 255});
    }
    if (plate != 0)
        PaintPlate(image, plate == 1);
    return image;
}

CImage Toggle(bool on)
{
    CImage image = Block(on ? kCyan : kSlate);
    PaintSymbol(image, Ellipse(16, 9, 5.8, 5.8), Rgba{210, 220, 235, 255}, Rgba{70, 80, 100, 255});
    if (on) {
        PaintGlow(image, 16, 9, 11, Rgba{255, 255, 200, 255}, 0.8);
        Ellipse(16, 9, 4.2, 4.2).Paint(image, 0, 0, Rgba{255, 255, 210, 255});
        Ellipse(15, 8, 1.8, 1.6).Paint(image, 0, 0, kWhite);
    } else {
        Ellipse(16, 9, 4.2, 4.2).Paint(image, 0, 0, Rgba{50, 56, 66, 255});
        Ellipse(14.8, 7.8, 1.4, 1.2).Paint(image, 0, 0, Rgba{140, 150, 165, 255});
    }
    return image;
}

// Three sticks of dynamite taped together, the fuse burning at its tip.
CImage Detonator(int frame)
{
    CImage image = NewBrick();
    // Each stick a red cylinder lit from the left, seen from the side.
    CCoverageMask sticks(kWidth, kHeight);
    for (int stick = 0; stick < 3; ++stick)
        sticks.AddRoundedRect(1 + stick * 10, 2, 11 + stick * 10, 17, 2);
    sticks.Grown(1).Paint(image, 0, 0, Rgba{40, 6, 6, 255});
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double across = ((x - 1) % 10 + 0.5) / 10.0;
            const double light = 0.55 + 0.75 * std::sin(kPi * across) - 0.35 * across;
            const Rgba red{static_cast<uint8_t>(std::clamp(215 * light + 30, 0.0, 255.0)),
                           static_cast<uint8_t>(std::clamp(40 * light, 0.0, 255.0)),
                           static_cast<uint8_t>(std::clamp(30 * light, 0.0, 255.0)), 255};
            image.BlendPixel(x, y, red, sticks.Get(x, y));
        }
    for (int y = 8; y < 12; ++y)
        for (int x = 1; x < kWidth - 1; ++x)
            image.BlendPixel(x, y, y == 8 ? Rgba{120, 110, 100, 255} : Rgba{26, 22, 20, 255}, sticks.Get(x, y));
    // The fuse: a pale cord curling up from the middle stick to the top corner.
    CCoverageMask fuse(kWidth, kHeight);
    const std::vector<std::pair<double, double>> path = {{16, 3}, {18.5, 0.8}, {22, 2.6}, {25.5, 1.2}};
    for (size_t i = 1; i < path.size(); ++i)
        fuse.AddShape([a = path[i - 1], b = path[i]](double x, double y) {
            const double dx = b.first - a.first, dy = b.second - a.second;
            const double t = std::clamp(((x - a.first) * dx + (y - a.second) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
            return std::hypot(a.first + t * dx - x, a.second + t * dy - y) <= 0.9;
        });
    fuse.Grown(1).Paint(image, 0, 0, Rgba{30, 20, 10, 255});
    fuse.Paint(image, 0, 0, Rgba{235, 215, 160, 255});
    const double flicker = 0.6 + 0.4 * ((frame * 5) % 4) / 3.0;
    PaintGlow(image, 27, 2, 7, Rgba{255, 150, 30, 255}, flicker);
    StarShape(27, 2.2, 5, 2.6 + 1.2 * flicker, 1.0, frame * 0.7).Paint(image, 0, 0, Rgba{255, 255, 200, 255});
    return image;
}

// A ring that widens from the middle and arrows pointing out: the bricks around are pushed away.
CImage PushAway(int frame)
{
    CImage image = Block(kViolet);
    const double radius = 2.0 + frame * 1.2;
    CCoverageMask ring(kWidth, kHeight);
    ring.AddShape([=](double x, double y) { return std::abs(std::hypot(x - 16, (y - 9) * 1.3) - radius) < 0.8; });
    ring.Paint(image, 0, 0, Rgba{255, 230, 255, static_cast<uint8_t>(230 - frame * 30)});
    PaintSymbol(image, PolygonShape({{2.5, 9}, {7.5, 4.5}, {7.5, 13.5}}), kWhite, Rgba{120, 60, 180, 255});
    PaintSymbol(image, PolygonShape({{29.5, 9}, {24.5, 4.5}, {24.5, 13.5}}), kWhite, Rgba{120, 60, 180, 255});
    return image;
}

CImage Nudge(int dx, int dy)
{
    CImage image = Block(kRose);
    PaintSymbol(image, ArrowShape(dx, dy), kWhite, Rgba{150, 40, 100, 255});
    return image;
}

// Dark steel with teeth along both edges and a circular blade turning in the middle.
CImage Shredder(int frame)
{
    CImage image = NewBrick();
    PaintSteel(image, 0, kHeight, false, GunmetalTint());
    std::vector<std::pair<double, double>> teeth;
    for (double x = 2; x < 30; x += 4) {
        teeth = {{x, 1.5}, {x + 4, 1.5}, {x + 4, 4.5}};
        PaintSymbol(image, PolygonShape(teeth), Rgba{235, 240, 250, 255}, Rgba{110, 120, 140, 255});
        teeth = {{x, 16.5}, {x + 4, 16.5}, {x, 13.5}};
        PaintSymbol(image, PolygonShape(teeth), Rgba{235, 240, 250, 255}, Rgba{110, 120, 140, 255});
    }
    PaintSymbol(image, StarShape(16, 9, 10, 6.2, 4.4, frame * kPi / 20), Rgba{240, 244, 255, 255},
                Rgba{90, 100, 120, 255});
    Ellipse(16, 9, 1.6, 1.6).Paint(image, 0, 0, Rgba{30, 32, 40, 255});
    return image;
}

// A glass cage with a ball behind its bars.
CImage TrappedBall()
{
    CImage image = Block(kGlass);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            Rgba pixel = image.GetPixel(x, y);
            // The outline stays solid; the glass lets the field show through.
            if (pixel.r + pixel.g + pixel.b > 150)
                pixel.a = static_cast<uint8_t>(pixel.a * 0.55);
            image.SetPixel(x, y, pixel);
        }
    for (int y = 3; y < 15; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double nx = (x + 0.5 - 16) / 5.2, ny = (y + 0.5 - 9) / 5.2;
            const double d2 = nx * nx + ny * ny;
            if (d2 >= 1)
                continue;
            const double light = 0.5 + 0.5 * std::max(0.0, -0.5 * nx - 0.6 * ny + 0.6 * std::sqrt(1 - d2));
            const auto level = static_cast<uint8_t>(255 * light);
            image.BlendPixel(x, y, Rgba{static_cast<uint8_t>(level * 0.8), static_cast<uint8_t>(level * 0.9), level, 255},
                             static_cast<uint32_t>(std::min(1.0, (1 - std::sqrt(d2)) * 5.2) * 255));
        }
    for (int bar : {4, 8, 23, 27})
        for (int y = 2; y < kHeight - 2; ++y) {
            image.BlendPixel(bar, y, Rgba{230, 236, 246, 255}, 230);
            image.BlendPixel(bar + 1, y, Rgba{70, 80, 100, 255}, 200);
        }
    return image;
}

// The brick flashes and falls apart into eight pieces that fly out, drop and fade.
DrawnSequence Breaking(const std::string& name, const CImage& brick)
{
    constexpr int kFrames = 8;
    constexpr int kPicture = 72, kPictureHeight = 52;
    const int left = kPicture / 2 - kWidth / 2, top = kPictureHeight / 2 - kHeight / 2;
    return Look(name, kFrames, 24.0f, [&](int frame) {
        CImage image(kPicture, kPictureHeight);
        image.SetHotSpot(kPicture / 2, kPictureHeight / 2);
        const double t = frame;
        const double fade = 1.0 - static_cast<double>(frame) / kFrames;
        for (int piece = 0; piece < 8; ++piece) {
            const int column = piece % 4, row = piece / 4;
            const double px = column * 8 + 4 - kWidth / 2.0, py = row * 9 + 4.5 - kHeight / 2.0;
            const double vx = px * 0.22 + ((piece * 7) % 3 - 1) * 0.4, vy = py * 0.3 - 1.0;
            const int dx = static_cast<int>(std::lround(vx * t)), dy = static_cast<int>(std::lround(vy * t + 0.35 * t * t));
            for (int y = row * 9; y < row * 9 + 9; ++y)
                for (int x = column * 8; x < column * 8 + 8; ++x) {
                    Rgba pixel = brick.GetPixel(x, y);
                    pixel.a = static_cast<uint8_t>(pixel.a * fade);
                    image.BlendPixel(left + x + dx, top + y + dy, pixel, 255);
                }
        }
        if (frame < 2)
            PaintGlow(image, kPicture / 2.0, kPictureHeight / 2.0, 20, kWhite, frame == 0 ? 0.7 : 0.35);
        return image;
    });
}

// A chip of the colour tumbling as it flies, fading at the end.
DrawnSequence Chips(const char* colour, const Tint& tint)
{
    constexpr int kFrames = 6;
    return Look(ChipsName(colour), kFrames, 12.0f, [tint](int frame) {
        CImage image(7, 7);
        image.SetHotSpot(3, 3);
        const double angle = frame * kPi / 5;
        std::vector<std::pair<double, double>> corners;
        for (int k = 0; k < 4; ++k) {
            const double a = angle + k * kPi / 2;
            const double radius = (k % 2 == 0) ? 2.9 : 1.9;
            corners.emplace_back(3.5 + radius * std::cos(a), 3.5 + radius * std::sin(a));
        }
        CCoverageMask chip(7, 7);
        chip.AddPolygon(corners);
        const double fade = frame < kFrames - 2 ? 1.0 : 0.5;
        Rgba lit = MixColors(tint.top, tint.middle, 128 + 100 * (frame % 2));
        lit.a = static_cast<uint8_t>(255 * fade);
        chip.Paint(image, 0, 0, lit);
        return image;
    });
}

} // namespace

std::string BrickLookName(const char* look)
{
    return std::string("Brick Looks/") + look;
}

std::string BreakingLookName(const char* look)
{
    return BrickLookName(look) + " Breaking";
}

std::string ChipsName(const char* colour)
{
    return std::string("Brick Chips/") + colour;
}

std::vector<DrawnSequence> PaintBrickLooks()
{
    std::vector<DrawnSequence> looks = {
        Look(BrickLookName("Normal"), 1, 1.0f, [](int) { return Block(kBlue); }),
        Look(BrickLookName("Power Up"), 8, 12.0f, PowerUp),
        Look(BrickLookName("Obstacle"), 1, 1.0f, [](int) { return Obstacle(); }),
        Look(BrickLookName("Indestructible"), 1, 1.0f, [](int) { return Indestructible(); }),
        Look(BrickLookName("Indestructible Top"), 1, 1.0f, [](int) { return Armoured(kBlue, true); }),
        Look(BrickLookName("Indestructible Bottom"), 1, 1.0f, [](int) { return Armoured(kBlue, false); }),
        Look(BrickLookName("Exploding"), 6, 10.0f, Exploding),
        Look(BrickLookName("Toggle Off"), 1, 1.0f, [](int) { return Toggle(false); }),
        Look(BrickLookName("Toggle On"), 1, 1.0f, [](int) { return Toggle(true); }),
        Look(BrickLookName("Detinator"), 4, 12.0f, Detonator),
        Look(BrickLookName("Push Away"), 6, 10.0f, PushAway),
        Look(BrickLookName("Nudge Up"), 1, 1.0f, [](int) { return Nudge(0, -1); }),
        Look(BrickLookName("Nudge Down"), 1, 1.0f, [](int) { return Nudge(0, 1); }),
        Look(BrickLookName("Nudge Left"), 1, 1.0f, [](int) { return Nudge(-1, 0); }),
        Look(BrickLookName("Nudge Right"), 1, 1.0f, [](int) { return Nudge(1, 0); }),
        Look(BrickLookName("Brick Shredder"), 4, 15.0f, Shredder),
        Look(BrickLookName("Trapped Ball"), 1, 1.0f, [](int) { return TrappedBall(); }),
    };
    // The 3-hit kinds: whole, after one hit ("2") and after two ("3").
    const struct
    {
        const char* name;
        int plate;
    } threeHits[] = {{"3 Hit", 0}, {"3 Hit Bottom", 1}, {"3 Hit Top", 2}};
    for (const auto& kind : threeHits)
        for (int damage = 0; damage < 3; ++damage) {
            const std::string name = damage == 0 ? kind.name : std::string(kind.name) + " " + std::to_string(damage + 1);
            looks.push_back(Look(BrickLookName(name.c_str()), 1, 1.0f, [&](int) { return ThreeHit(damage, kind.plate); }));
        }
    // Every look but the obstacle's (nothing breaks it) and the damaged ones breaks from its
    // first frame.
    const size_t whole = looks.size();
    for (size_t i = 0; i < whole; ++i) {
        const std::string& name = looks[i].name;
        if (name == BrickLookName("Obstacle") || name == BrickLookName("Toggle Off") ||
            name.back() == '2' || name.back() == '3')
            continue;
        looks.push_back(Breaking(name + " Breaking", looks[i].frames.front()));
    }
    const struct
    {
        const char* colour;
        Tint tint;
    } chips[] = {{"Blue", kBlue},     {"Green", kGreen}, {"Steel", SteelTint()}, {"Gunmetal", GunmetalTint()},
                 {"Fire", kFire},     {"Gold", kGold},   {"Cyan", kCyan},       {"Red", kRed},
                 {"Violet", kViolet}, {"Rose", kRose},   {"Glass", kGlass}};
    for (const auto& chip : chips)
        looks.push_back(Chips(chip.colour, chip.tint));
    return looks;
}
