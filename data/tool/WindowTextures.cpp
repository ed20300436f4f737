#include "WindowTextures.h"

#include "FrameSourceFile.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kTextureSize = 128;
constexpr int kTileWidth = 64;
constexpr int kTileHeight = 32;

// A lattice value in 0..1 for the point of a grid that repeats every period cells.
double LatticeValue(int x, int y, int periodX, int periodY, uint32_t seed)
{
    uint32_t h = static_cast<uint32_t>(((x % periodX) + periodX) % periodX) * 73856093u ^
                 static_cast<uint32_t>(((y % periodY) + periodY) % periodY) * 19349663u ^ seed * 83492791u;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return (h & 0xFFFF) / 65535.0;
}

double Smooth(double t)
{
    return t * t * (3 - 2 * t);
}

// Value noise over cells of the given size that repeats across a picture of width x height.
double PeriodicNoise(int x, int y, int cellWidth, int cellHeight, int width, int height, uint32_t seed)
{
    const int cx = x / cellWidth, cy = y / cellHeight;
    const double fx = Smooth(static_cast<double>(x % cellWidth) / cellWidth);
    const double fy = Smooth(static_cast<double>(y % cellHeight) / cellHeight);
    const int px = width / cellWidth, py = height / cellHeight;
    const double top = LatticeValue(cx, cy, px, py, seed) * (1 - fx) + LatticeValue(cx + 1, cy, px, py, seed) * fx;
    const double bottom =
        LatticeValue(cx, cy + 1, px, py, seed) * (1 - fx) + LatticeValue(cx + 1, cy + 1, px, py, seed) * fx;
    return top * (1 - fy) + bottom * fy;
}

uint8_t Channel(double value)
{
    return static_cast<uint8_t>(std::clamp(value + 0.5, 0.0, 255.0));
}

Rgba Shade(Rgba base, double amount)
{
    return Rgba{Channel(base.r * amount), Channel(base.g * amount), Channel(base.b * amount), 255};
}

// Brushed metal: soft clouds, long horizontal streaks and a fine grain, around the base colour.
CImage PaintSurface(Rgba base, uint32_t seed)
{
    CImage image(kTextureSize, kTextureSize);
    for (int y = 0; y < kTextureSize; ++y)
        for (int x = 0; x < kTextureSize; ++x) {
            const double clouds = PeriodicNoise(x, y, 32, 32, kTextureSize, kTextureSize, seed) * 0.6 +
                                  PeriodicNoise(x, y, 16, 16, kTextureSize, kTextureSize, seed + 1) * 0.4;
            const double streaks = PeriodicNoise(x, y, 64, 2, kTextureSize, kTextureSize, seed + 2);
            const double grain = LatticeValue(x, y, kTextureSize, kTextureSize, seed + 3);
            image.SetPixel(x, y, Shade(base, 0.82 + 0.22 * clouds + 0.14 * streaks + 0.06 * grain));
        }
    return image;
}

// The caption band: lighter at the top, a bright rim row, a darker foot, with a faint sheen.
CImage PaintTitleTile(Rgba top, Rgba bottom, uint32_t seed)
{
    CImage image(kTileWidth, kTileHeight);
    for (int y = 0; y < kTileHeight; ++y)
        for (int x = 0; x < kTileWidth; ++x) {
            const uint32_t t = static_cast<uint32_t>(y * 255 / (kTileHeight - 1));
            const Rgba band = MixColors(top, bottom, t);
            const double sheen = PeriodicNoise(x, y, 32, 4, kTileWidth, kTileHeight, seed);
            const double rim = y == 1 ? 1.18 : y == 0 ? 0.9 : 1.0;
            image.SetPixel(x, y, Shade(band, rim * (0.94 + 0.1 * sheen)));
        }
    return image;
}

} // namespace

std::vector<WindowTexture> PaintWindowTextures()
{
    std::vector<WindowTexture> textures;
    textures.push_back({"Window Texture", PaintSurface(Rgba{44, 58, 90, 255}, 11)});
    textures.push_back({"Window Title Tile", PaintTitleTile(Rgba{96, 128, 196, 255}, Rgba{30, 44, 92, 255}, 23)});
    textures.push_back({"Inactive Window Texture", PaintSurface(Rgba{50, 53, 62, 255}, 11)});
    textures.push_back(
        {"Inactive Window Title Tile", PaintTitleTile(Rgba{92, 96, 110, 255}, Rgba{40, 42, 52, 255}, 23)});
    return textures;
}

bool AddWindowTextures(CContentSet& set, std::string& error)
{
    for (const WindowTexture& texture : PaintWindowTextures()) {
        const std::string entry = std::string("Interface/Textures/") + texture.name + ".Frame";
        const CContentSet::Bytes bytes = EncodeFrameSourceFile(texture.image, true);
        if (bytes.empty() || !set.AddEntry("Cache", entry, bytes)) {
            error = "cannot add the texture " + entry;
            return false;
        }
    }
    return true;
}
