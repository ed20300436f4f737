// The builders of CPaletteTable: every table derived from a palette by nearest-colour searches.
#include "blit/ColorPacking.h"
#include "graphics/ColorHistogram.h"
#include "graphics/Hsl.h"
#include "graphics/NearestColorSearch.h"
#include "graphics/PaletteTable.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Blend and light tables never answer 0 (transparent) or 255.
constexpr uint32_t kBlendSearchStart = 1;
constexpr uint32_t kBlendSearchEnd = 255;

struct Rgb
{
    uint32_t red, green, blue;
};

Rgb EntryOf(const CPaletteTable& palette, uint32_t index)
{
    const uint8_t* entry = palette.GetData() + index * 3;
    return {entry[2], entry[1], entry[0]};
}

bool IsPalette(const CPaletteTable& palette)
{
    return palette.GetKind() == 1 && !palette.IsEmpty();
}

// x * 255 truncated, clamped to 0..255.
uint8_t TruncateChannel(double x)
{
    const double v = x * 255.0;
    if (!(v > 0.0))
        return 0;
    return v >= 255.0 ? 255 : static_cast<uint8_t>(v);
}

// Makes the table a 256 x 256 blend table over the palette: rowMix(s) gives the mix of source s
// over a destination (d, colour of d), and the entry [s * 256 + d] is the entry of 1 .. 254
// nearest to it. Without a palette the table keeps the identity.
template <class RowMix>
void FillBlendTable(CPaletteTable& table, CPaletteTable& palette, RowMix rowMix)
{
    if (&palette == &table)
        return;
    table.Create(4);
    if (!IsPalette(palette))
        return;
    const CNearestColorFinder nearest(palette, kBlendSearchStart, kBlendSearchEnd);
    for (uint32_t s = 0; s < 256; ++s) {
        const auto mix = rowMix(s);
        uint8_t* row = table.GetData() + s * 256;
        for (uint32_t d = 0; d < 256; ++d) {
            const Rgb c = mix(d, EntryOf(palette, d));
            row[d] = nearest(static_cast<uint8_t>(c.red), static_cast<uint8_t>(c.green), static_cast<uint8_t>(c.blue));
        }
    }
}

} // namespace

void CPaletteTable::BuildColorAdjustTable(CPaletteTable& palette, int32_t lightness, int32_t, int32_t,
                                          uint32_t first, uint32_t end, uint32_t searchStart, uint32_t searchEnd,
                                          CPaletteTable* searchPalette)
{
    Create(0);
    Create(2);
    if (lightness == 128 || !IsPalette(palette))
        return;
    CPaletteTable& search = searchPalette ? *searchPalette : palette;
    end = std::min<uint32_t>(end, 256);
    for (uint32_t i = first; i < end; ++i) {
        const Rgb c = EntryOf(palette, i);
        const CHsl hsl = RgbToHsl(c.red / 255.0, c.green / 255.0, c.blue / 255.0);
        double red, green, blue;
        HslToRgb(hsl.m_hue, hsl.m_saturation, hsl.m_lightness * lightness / 128.0, red, green, blue);
        auto channel = [](double x) { return static_cast<uint8_t>(std::clamp(x, 0.0, 1.0) * 255.0 + 0.5); };
        m_data[i] = search.FindNearest(channel(red), channel(green), channel(blue), searchStart, searchEnd);
    }
}

void CPaletteTable::BuildBlendTable(CPaletteTable& palette, float amount)
{
    FillBlendTable(*this, palette, [&palette, amount](uint32_t s) {
        Rgb source = EntryOf(palette, s);
        float a = amount;
        if (amount == 0.0f) {
            // The light table: the source at full brightness, laid on by how bright it was.
            const uint32_t m = std::max({source.red, source.green, source.blue});
            if (m == 0) {
                source = {0, 0, 0};
            } else {
                a = static_cast<float>(std::pow(m / 255.0, 1.5));
                auto bright = [m](uint32_t c) { return std::min<uint32_t>(static_cast<uint32_t>(c * 255.0 / m + 0.5), 255); };
                source = {bright(source.red), bright(source.green), bright(source.blue)};
            }
        }
        if (s == 0)
            source = {255, 255, 255};
        // The source's share rounded to single precision, the destination's weight in double:
        // single-precision 0.2 lies just above 0.2, so some whole-number mixes come out one lower.
        const float share[3] = {static_cast<float>(source.red * a), static_cast<float>(source.green * a),
                                static_cast<float>(source.blue * a)};
        const double keep = 1.0 - static_cast<double>(a);
        return [share, keep](uint32_t, const Rgb& under) {
            auto mix = [keep](uint32_t d, float part) { return static_cast<uint32_t>(std::min(d * keep + part, 255.0)); };
            return Rgb{mix(under.red, share[0]), mix(under.green, share[1]), mix(under.blue, share[2])};
        };
    });
}

void CPaletteTable::BuildAmplifyLightTable(CPaletteTable& palette)
{
    FillBlendTable(*this, palette, [&palette](uint32_t s) {
        const float k = 1.0f / 255.0f;
        const Rgb source = EntryOf(palette, s);
        const float gain[3] = {static_cast<float>(source.red) * k + 1.0f, static_cast<float>(source.green) * k + 1.0f,
                               static_cast<float>(source.blue) * k + 1.0f};
        return [gain](uint32_t, const Rgb& under) {
            auto amplify = [](uint32_t d, float g) { return static_cast<uint32_t>(std::min(static_cast<float>(d) * g, 255.0f)); };
            return Rgb{amplify(under.red, gain[0]), amplify(under.green, gain[1]), amplify(under.blue, gain[2])};
        };
    });
}

void CPaletteTable::BuildTestLightTable(CPaletteTable& palette)
{
    CHsl hsl[256];
    for (uint32_t i = 0; i < 256 && IsPalette(palette); ++i) {
        const Rgb c = EntryOf(palette, i);
        hsl[i] = RgbToHsl(c.red / 255.0, c.green / 255.0, c.blue / 255.0);
    }
    FillBlendTable(*this, palette, [&hsl](uint32_t s) {
        const CHsl& light = hsl[s];
        const double k = std::clamp(4.0 * light.m_lightness, 0.0, 1.0) * light.m_saturation;
        return [&hsl, &light, k](uint32_t d, const Rgb&) {
            // The hue circle of this blend is 342.128 degrees, not 360.
            constexpr double kCircle = 342.128;
            constexpr double kHalfCircle = 171.064;
            const CHsl& under = hsl[d];
            double hueUnder = under.m_hue;
            double hueLight = light.m_hue;
            if (hueLight - hueUnder > kHalfCircle)
                hueUnder += kCircle;
            if (hueUnder - hueLight > kHalfCircle)
                hueLight += kCircle;
            double hue = hueLight * k + hueUnder * (1.0 - k);
            if (hue > kCircle)
                hue -= kCircle;
            const double saturation = std::max(under.m_saturation, light.m_saturation);
            const double lightness = std::clamp(under.m_lightness + light.m_lightness / 3.0, 0.0, 1.0);
            double red, green, blue;
            HslToRgb(hue, saturation, lightness, red, green, blue);
            return Rgb{TruncateChannel(red), TruncateChannel(green), TruncateChannel(blue)};
        };
    });
}

void CPaletteTable::BuildInverseColorTable(CPaletteTable& palette, int32_t kind, uint32_t start, uint32_t end)
{
    if (&palette == this || (kind != 5 && kind != 6 && kind != 7))
        return;
    Create(kind);
    m_fallback = &palette;
    if (kind == 6) {
        std::memset(m_data, 0, GetSize());
        return;
    }
    // Each pixel stands for its fields shifted to the top of the byte: (8r, 8g, 8b) or (8r, 4g, 8b).
    const uint32_t greenLevels = kind == 5 ? 32 : 64;
    // Every colour is asked once: measured, not remembered. A table that is not a palette answers
    // as its own search does.
    const auto search = NearestColorSearchFor(palette, start, end);
    uint8_t* out = m_data;
    for (uint32_t r = 0; r < 32; ++r)
        for (uint32_t g = 0; g < greenLevels; ++g)
            for (uint32_t b = 0; b < 32; ++b) {
                const auto red = static_cast<uint8_t>(ExpandField5(r)), blue = static_cast<uint8_t>(ExpandField5(b));
                const auto green = static_cast<uint8_t>(kind == 5 ? ExpandField5(g) : ExpandField6(g));
                *out++ = search ? search->Measure(red, green, blue) : palette.FindNearest(red, green, blue, start, end);
            }
}

void CPaletteTable::BuildFromHistogram(const CColorHistogram& histogram, uint32_t first, uint32_t count)
{
    Create(1);
    std::memset(m_data, 0, GetSize());
    SetEntry(255, 255, 255, 255);
    if (first > 255)
        return;
    count = std::min(count, 256 - first);
    uint32_t made = 0;
    QuantizeHistogram(histogram, count, m_data + first * 3, made);
}
