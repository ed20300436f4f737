#include "SkinContent.h"

#include "FrameSourceFile.h"
#include "Image.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kCorner = 10;

// A vertical gradient with faint diagonal ribs, smooth enough to store small.
CImage PaintGradient(int width, int height, Rgba top, Rgba bottom)
{
    CImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Rgba color = MixColors(top, bottom, static_cast<uint32_t>(y * 255 / std::max(1, height - 1)));
            if ((x + y) % 24 < 2)
                color = MixColors(color, Rgba{255, 255, 255, 255}, 18);
            image.SetPixel(x, y, color);
        }
    return image;
}

// A quarter disc filling the corner square, opaque inside; (cx, cy) is the disc's centre.
CImage PaintCorner(int cx, int cy, int hotX, int hotY)
{
    CImage image(kCorner, kCorner);
    for (int y = 0; y < kCorner; ++y)
        for (int x = 0; x < kCorner; ++x) {
            const int dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy <= kCorner * kCorner)
                image.SetPixel(x, y, Rgba{128, 128, 128, 255});
        }
    image.SetHotSpot(hotX, hotY);
    return image;
}

// A soft round glow of the colour, radius r, in a square of 2r + 1.
CImage PaintGlow(int radius, Rgba color, int hotX, int hotY)
{
    const int size = 2 * radius + 1;
    CImage image(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x - radius, y - radius) / radius;
            if (d < 1.0)
                image.SetPixel(x, y, Rgba{color.r, color.g, color.b, static_cast<uint8_t>(255 * (1.0 - d * d))});
        }
    image.SetHotSpot(hotX, hotY);
    return image;
}

// A bright rim line of the given thickness, repeated along an edge.
CImage PaintRim(int length, int thickness, Rgba color, int hotX, int hotY)
{
    CImage image(length, thickness);
    for (int y = 0; y < thickness; ++y)
        for (int x = 0; x < length; ++x)
            image.SetPixel(x, y, Rgba{color.r, color.g, color.b, static_cast<uint8_t>(y == 0 ? 255 : 140)});
    image.SetHotSpot(hotX, hotY);
    return image;
}

} // namespace

std::vector<SkinPicture> PaintSkinPictures()
{
    const Rgba glow{255, 176, 64, 255};
    std::vector<SkinPicture> pictures;
    pictures.push_back({"!None", CImage(1, 1), false});
    pictures.push_back({"Skin Window", PaintGradient(640, 480, Rgba{38, 64, 76, 255}, Rgba{14, 26, 34, 255}), true});
    pictures.push_back({"Skin Button", PaintGradient(256, 48, Rgba{70, 104, 118, 255}, Rgba{34, 56, 66, 255}), false});
    pictures.push_back(
        {"Skin Button Hover", PaintGradient(256, 48, Rgba{96, 136, 150, 255}, Rgba{44, 72, 84, 255}), false});
    // Pressed, and checked (a muted sound, the chosen one of a pair): a warm face lit from below,
    // told at a glance from the cool resting face.
    pictures.push_back(
        {"Skin Button Pressed", PaintGradient(256, 48, Rgba{104, 60, 18, 255}, Rgba{168, 104, 34, 255}), false});
    pictures.push_back({"Skin Corner Top Left", PaintCorner(kCorner, kCorner, 0, 0), true});
    pictures.push_back({"Skin Corner Top Right", PaintCorner(-1, kCorner, kCorner, 0), true});
    pictures.push_back({"Skin Corner Bottom Left", PaintCorner(kCorner, -1, 0, kCorner), true});
    pictures.push_back({"Skin Corner Bottom Right", PaintCorner(-1, -1, kCorner, kCorner), true});
    pictures.push_back({"Skin Glow Top Left", PaintGlow(7, glow, 7, 7), false});
    pictures.push_back({"Skin Glow Top Right", PaintGlow(7, glow, 7, 7), false});
    pictures.push_back({"Skin Glow Close", PaintGlow(13, Rgba{255, 96, 48, 255}, 16, 10), false});
    pictures.push_back({"Skin Rim Top", PaintRim(16, 2, glow, 0, 0), false});
    return pictures;
}

const std::string& GetVantorelSkinText()
{
    static const std::string text = [] {
        const char* lines[] = {
            "CJWindowAlphaTheme",
            "{",
            "\tOptions=CAlphaSkinData",
            "\t{",
            "\t\tGeneral Font=OCR Monospaced Numbers",
            "\t\tShortcut Key Highlight Color=255,176,64",
            "\t\tBackground Color=10,20,26",
            "\t\tSelect Color=62,96,110",
            "\t\tStatic Text Control=OCR Monospaced Numbers",
            "\t\tWindow Heading Font=Yellow Header",
            "\t\tWindow Heading Offset=-4",
            "\t\tWindow Border=CAlphaSkinBorder",
            "\t\t{",
            "\t\t\tBackground Texture=Skin Window",
            "\t\t\tTop Left Alpha=Skin Corner Top Left",
            "\t\t\tTop Right Alpha=Skin Corner Top Right",
            "\t\t\tBottom Left Alpha=Skin Corner Bottom Left",
            "\t\t\tBottom Right Alpha=Skin Corner Bottom Right",
            "\t\t\tTop Left Highlight=Skin Glow Top Left",
            "\t\t\tTop Center Highlight=Skin Rim Top",
            "\t\t\tTop Right Highlight=Skin Glow Top Right",
            "\t\t\tCenter Left Highlight=!None",
            "\t\t\tCenter Right Highlight=!None",
            "\t\t\tBottom Left Highlight=!None",
            "\t\t\tBottom Center Highlight=!None",
            "\t\t\tBottom Right Highlight=!None",
            "\t\t\tSpecial Top Right Highlight=Skin Glow Close",
            "\t\t}",
            "\t\tButton Border=CClassicSkinBorder",
            "\t\t{",
            "\t\t\tBackground Texture=Skin Button",
            "\t\t\tTexture Margin=0",
            "\t\t\tTop Outer Color=255,255,255,48",
            "\t\t\tTop Inner Color=255,255,255,24",
            "\t\t\tBottom Inner Color=0,0,0,128",
            "\t\t\tBottom Outer Color=0,0,0,160",
            "\t\t}",
            "\t\tPressed Button Border=CClassicSkinBorder",
            "\t\t{",
            "\t\t\tBackground Texture=Skin Button Pressed",
            "\t\t\tTexture Margin=0",
            "\t\t\tTop Outer Color=0,0,0,160",
            "\t\t\tTop Inner Color=0,0,0,128",
            "\t\t\tBottom Inner Color=255,255,255,24",
            "\t\t\tBottom Outer Color=255,255,255,48",
            "\t\t}",
            "\t\tHover Button Border=CClassicSkinBorder",
            "\t\t{",
            "\t\t\tBackground Texture=Skin Button Hover",
            "\t\t\tTexture Margin=0",
            "\t\t\tTop Outer Color=255,176,64,160",
            "\t\t\tTop Inner Color=255,255,255,24",
            "\t\t\tBottom Inner Color=0,0,0,128",
            "\t\t\tBottom Outer Color=255,176,64,160",
            "\t\t}",
            "\t}",
            "}",
        };
        std::string joined;
        for (const char* line : lines)
            joined += std::string(line) + "\r\n";
        return joined;
    }();
    return text;
}

bool AddSkinContent(CContentSet& set, std::string& error)
{
    const std::string& skin = GetVantorelSkinText();
    if (!set.AddEntry("Resources", "Vantorel.JWindowSkin", CContentSet::Bytes(skin.begin(), skin.end()))) {
        error = "the skin Vantorel is in the data set twice";
        return false;
    }
    const std::string plainRows = kPlainRowsProperties;
    for (const SkinPicture& picture : PaintSkinPictures()) {
        const CContentSet::Bytes bytes = EncodeFrameSourceFile(picture.image, true);
        const std::string entry = std::string("Resources/") + picture.name + ".Frame";
        if (bytes.empty() || !set.AddEntry("Cache", entry, bytes)) {
            error = "cannot add the skin picture " + entry;
            return false;
        }
        if (picture.plainRows &&
            !set.AddEntry("Resources", std::string(picture.name) + ".txt",
                          CContentSet::Bytes(plainRows.begin(), plainRows.end()))) {
            error = std::string("cannot add the property file of ") + picture.name;
            return false;
        }
    }
    return true;
}
