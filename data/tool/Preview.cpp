#include "Preview.h"

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
                                                            {"MouseCursor", drawn.mouseCursor}};
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
