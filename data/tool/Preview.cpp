#include "Preview.h"

#include "BrickLayerContent.h"
#include "BrickLookPaintings.h"

#include <algorithm>
#include <fstream>

namespace {

constexpr int kGlyphsPerRow = 32;
constexpr int kGap = 4;
const Rgba kSheetBackground{22, 26, 48, 255};
// Windows-1252: letters, digits and signs the game's texts use.
constexpr const char kSample[] = "Round 1-3: Ion Spheres 12,345  Score 98,760  \xC4rger \xE9t\xE9 \x80 5.00!";

int SetText(CImage& sheet, const FontImages& font, const char* text, int x, int y)
{
    for (const char* c = text; *c; ++c) {
        int code = static_cast<unsigned char>(*c);
        if (code < font.firstCode || code > font.lastCode)
            code = font.firstCode;
        const CImage& glyph = font.GetGlyph(code);
        sheet.Draw(glyph, x, y);
        x += glyph.GetWidth();
    }
    return x;
}

// Every frame of every brick look, a look to a row, on the field's dark blue.
CImage MakeBrickSheet()
{
    constexpr int kCell = 76;
    constexpr int kRow = 56;
    const std::vector<DrawnSequence> looks = PaintBrickLooks();
    size_t most = 1;
    for (const DrawnSequence& look : looks)
        most = std::max(most, look.frames.size());
    CImage sheet(static_cast<int>(most) * kCell + kGap, static_cast<int>(looks.size()) * kRow + kGap);
    sheet.Fill(kSheetBackground);
    for (size_t row = 0; row < looks.size(); ++row)
        for (size_t i = 0; i < looks[row].frames.size(); ++i) {
            const CImage& frame = looks[row].frames[i];
            sheet.Draw(frame, kGap + static_cast<int>(i) * kCell + kCell / 2 - frame.GetHotSpotX(),
                       kGap + static_cast<int>(row) * kRow + kRow / 2 - frame.GetHotSpotY());
        }
    return sheet;
}

// The brick layer as the game draws it on the screen: the bar and gears on a row of bricks, and
// the carriage at each of its frames along the row.
CImage MakeBrickLayerSheet()
{
    CImage sheet(640, 100);
    sheet.Fill(kSheetBackground);
    const std::vector<DrawnSequence> looks = PaintBrickLooks();
    const int row = 60;
    for (int x = 30; x < 500; x += 32)
        sheet.Draw(looks.front().frames.front(), x - 16, row - 9);
    auto draw = [&sheet](const CImage& frame, int x, int y) {
        sheet.Draw(frame, x - frame.GetHotSpotX(), y - frame.GetHotSpotY());
    };
    const std::vector<DrawnSequence> parts = PaintBrickLayer();
    for (const DrawnSequence& part : parts)
        if (part.name != "Brick Layer/Carriage")
            draw(part.frames.front(), 320, row);
    const std::vector<CImage>& carriage = parts.back().frames;
    for (size_t i = 0; i < carriage.size(); ++i)
        draw(carriage[i], 46 + static_cast<int>(i) * 64, row);
    return sheet;
}

} // namespace

std::vector<uint8_t> EncodePam(const CImage& image)
{
    const std::string header = "P7\nWIDTH " + std::to_string(image.GetWidth()) + "\nHEIGHT " +
                               std::to_string(image.GetHeight()) +
                               "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    std::vector<uint8_t> pam(header.begin(), header.end());
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            const Rgba p = image.GetPixel(x, y);
            pam.insert(pam.end(), {p.r, p.g, p.b, p.a});
        }
    return pam;
}

CImage MakeFontSheet(const FontImages& font)
{
    int widest = 1;
    for (const CImage& glyph : font.glyphs)
        widest = std::max(widest, glyph.GetWidth());
    const int height = font.glyphs.empty() ? 1 : font.glyphs.front().GetHeight();
    const int rows = (static_cast<int>(font.glyphs.size()) + kGlyphsPerRow - 1) / kGlyphsPerRow;
    const int sampleWidth = 640;
    CImage sheet(std::max(kGlyphsPerRow * (widest + kGap), sampleWidth) + kGap, (rows + 1) * (height + kGap) + kGap);
    sheet.Fill(kSheetBackground);
    for (size_t i = 0; i < font.glyphs.size(); ++i) {
        const int column = static_cast<int>(i) % kGlyphsPerRow;
        const int row = static_cast<int>(i) / kGlyphsPerRow;
        sheet.Draw(font.glyphs[i], kGap + column * (widest + kGap), kGap + row * (height + kGap));
    }
    SetText(sheet, font, kSample, kGap, kGap + rows * (height + kGap));
    return sheet;
}

bool WritePreviews(const DrawnContent& drawn, const std::filesystem::path& folder, std::string& error)
{
    std::filesystem::create_directories(folder);
    std::vector<std::pair<std::string, CImage>> pictures = {{"CompanyLogo", drawn.companyLogo},
                                                            {"MouseCursor", drawn.mouseCursor},
                                                            {"Game Over", drawn.gameOver},
                                                            {"Completed Game", drawn.completedGame},
                                                            {"Brick Looks", MakeBrickSheet()},
                                                            {"Brick Layer", MakeBrickLayerSheet()}};
    for (const FontImages& font : drawn.fonts)
        pictures.emplace_back("Font " + font.name, MakeFontSheet(font));
    for (const auto& [name, picture] : pictures) {
        const std::vector<uint8_t> bytes = EncodePam(picture);
        std::ofstream file(folder / (name + ".pam"), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file) {
            error = "cannot write " + (folder / (name + ".pam")).string();
            return false;
        }
    }
    return true;
}
