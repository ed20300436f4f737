// Reads arbitrary bytes as a font's glyph strip file: three bytes choose the font (bit 0 of the
// first: fixed width; then the first and the last code), the rest is the strip's TGA file, which
// the font loads by name from its folder as the game does. A strip that decodes is cut into one
// glyph per code, none wider or higher than the strip, through the font's stages for a 16-bit
// display; text is then measured, wrapped and drawn with them.
//
// The seed corpus is made by the font's strip writer: run the corpus runner with
// VANTOREL_WRITE_SEEDS naming the folder (fuzz/corpus/fuzz_glyph_strip) and it writes the seeds
// there first.
#include "FuzzSupport.h"
#include "graphics/Font.h"
#include "graphics/Frame.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/TgaImage.h"
#include "graphics/stages/DepthConvertStage.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using fuzzsupport::Check;

constexpr size_t kPrefix = 3;

// A glyph of w x h whose pixels are the code's colour where the pattern sets them.
CFrame* Glyph(uint32_t w, uint32_t h, int16_t top, uint32_t code)
{
    CFrame* frame = fuzzsupport::NewFrame32(w, h, 0, 0, [code](uint32_t column, uint32_t row) {
        return (row + column + code) % 3 == 0 ? 0u : 0xFF000000u | code << 16 | row << 8 | column;
    });
    frame->SetOrigin(0, top);
    return frame;
}

void WriteSeed(const std::string& folder, const char* name, bool fixed, uint8_t first, uint8_t last)
{
    CFont font;
    font.SetPropertiesToDefaults();
    font.SetLoadFlags(fixed ? CFont::kFixedWidth : 0);
    font.SetCodeRange(first, last);
    for (uint32_t code = first; code <= last; ++code)
        font.AddFrame(Glyph(fixed ? 6 : 1 + code % 5, fixed ? 8 : 7 + code % 3, fixed ? 0 : -2, code));
    font.SetLineBase(fixed ? 8 : 9);
    if (!font.SaveGlyphStrip("Seeds", name))
        return;
    std::ifstream in(std::string("Seeds/-") + name + "/" + name + ".tga", std::ios::binary);
    const std::string tga((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream out(folder + "/" + name + ".bin", std::ios::binary);
    const char prefix[kPrefix] = {static_cast<char>(fixed ? 1 : 0), static_cast<char>(first), static_cast<char>(last)};
    out.write(prefix, kPrefix);
    out << tga;
}

void WriteSeeds(const std::string& folder)
{
    WriteSeed(folder, "proportional", false, 'A', 'H');
    WriteSeed(folder, "digits", true, '0', '9');
    WriteSeed(folder, "one", false, ' ', ' ');
}

void Cut(const uint8_t* data, size_t size)
{
    const uint8_t* tga = data + kPrefix;
    const auto tgaSize = static_cast<uint32_t>(size - kPrefix);
    std::filesystem::create_directories("Fonts");
    fuzzsupport::WriteInput("Fonts/Fuzz.tga", tga, tgaSize);
    CTgaHeader header;
    ReadTgaHeader(tga, tgaSize, header);
    CFont font;
    font.SetPropertiesToDefaults();
    font.SetFixedWidth((data[0] & 1) != 0);
    font.SetCodeRange(data[1], data[2]);
    CFrameLoadStage stages;
    stages.SetPreferredDepth(16);
    stages.InsertStage(new CDepthConvertStage(false, 16));
    if (!font.LoadGlyphStrip("Fonts", "Fuzz", &stages))
        return;
    const uint32_t codes = data[2] >= data[1] ? data[2] - data[1] + 1u : 0u;
    Check(font.GetFrameCount() == codes);
    for (uint32_t i = 0; i < codes; ++i) {
        const CFrame* glyph = font.GetFrame(i);
        Check(glyph && glyph->GetWidth() <= header.m_width && glyph->GetHeight() <= header.m_height);
    }
    CFrame page;
    page.Create(96, 40, 16);
    const char* text = "The quick brown fox\njumps over 13 lazy dogs.\x01\x7f\xff";
    font.DrawText(&page, 48, 4, text, 1, 0);
    font.DrawMultilineText(&page, 2, 10, text, 0, 2);
    font.DrawText(&page, 90, 30, text, 2, 'W');
    (void)font.GetTextBlockWidth(text);
    (void)font.WrapText(text, 40);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsupport::PrepareOnce(&WriteSeeds);
    if (size < kPrefix || size > (1u << 20))
        return 0;
    fuzzsupport::FatalScope fatal;
    try {
        Cut(data, size);
    } catch (const fuzzsupport::FatalEnd&) {
        // A run-length packet past the strip's end is a fatal report.
    }
    return 0;
}
