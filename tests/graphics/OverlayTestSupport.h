#pragma once
// Fonts for the overlay tests, written as glyph strips into the current folder so that they load
// through the font list: every code from 32 to 125 is a solid block 2 + code % 3 pixels wide and
// kGlyphHeight high whose colour tells the code (and the font) apart; the blank has value 0. The
// colours are exact in 5-6-5, so a 16-bit display shows them unchanged.
#include "SequenceTestSupport.h"
#include "graphics/Font.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace overlaytest {

constexpr uint32_t kGlyphHeight = 4;
constexpr int kFirstCode = 32;
constexpr int kLastCode = 125;

inline int32_t GlyphWidth(int code)
{
    return 2 + code % 3;
}

// B, G, R, A; the "other" font has the top bit of red clear.
inline uint32_t GlyphValue32(int code, bool other = false)
{
    if (code == ' ')
        return 0;
    const uint32_t red = ((other ? 0u : 16u) | (code & 15)) << 3;
    const uint32_t green = static_cast<uint32_t>(code & 63) << 2;
    const uint32_t blue = static_cast<uint32_t>((code >> 6) & 31) << 3;
    return 0xFF000000u | red << 16 | green << 8 | blue;
}

inline uint16_t GlyphValue16(int code, bool other = false)
{
    const uint32_t v = GlyphValue32(code, other);
    return static_cast<uint16_t>(((v >> 19) & 31) << 11 | ((v >> 10) & 63) << 5 | ((v >> 3) & 31));
}

// Writes "Fonts/-<name>/<name>.tga" and its properties (no dithering or cropping on load).
inline void SaveBlockFont(const char* name, bool other = false)
{
    CFont font;
    seqtest::MakeBlockFont(font, kFirstCode, kLastCode, 32, kGlyphHeight,
                           [](int32_t code) { return static_cast<uint32_t>(GlyphWidth(code)); },
                           [other](int32_t code) { return GlyphValue32(code, other); });
    font.SetLoadFlags(0);
    // The load run-length encodes the glyphs, which this blend mode draws.
    ASSERT_TRUE(font.SetBlitTypeByName("Transparent Mask"));
    ASSERT_TRUE(font.SaveGlyphStrip("Fonts", name));
}

} // namespace overlaytest
