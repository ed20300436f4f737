#include "blit/kernels/LightSpanKernels.h"

#include "blit/BlendTables.h"
#include "blit/kernels/PixelAccess.h"

namespace {

constexpr uint32_t AmplifyField(uint32_t d, uint32_t s)
{
    const uint32_t v = (2 * d * (31 + s) + 31) / 62;
    return v < 31 ? v : 31;
}

template <uint32_t Shift>
constexpr std::array<uint16_t, 32 * 32> MakeAmplifyTable()
{
    std::array<uint16_t, 32 * 32> table{};
    for (uint32_t d = 0; d < 32; ++d)
        for (uint32_t s = 0; s < 32; ++s)
            table[d * 32 + s] = static_cast<uint16_t>(AmplifyField(d, s) << Shift);
    return table;
}

// The table row of a source index at a strength slot.
template <uint32_t Slot>
inline uint32_t StrengthRow(uint32_t index)
{
    if constexpr (Slot == 0)
        return index << 8;
    else if constexpr (Slot == 1)
        return g_paletteRow80[index];
    else if constexpr (Slot == 2)
        return g_paletteRow60[index];
    else if constexpr (Slot == 3)
        return g_paletteRow40[index];
    else
        return g_paletteRow20[index];
}

inline uint8_t LightLookup(const uint8_t* table, uint32_t row, uint8_t destination)
{
    return table[(row + destination) & 0xFFFF];
}

template <uint32_t Slot>
void Light8Source(void* destination, const void* source, uint32_t n)
{
    const uint8_t* table = g_current8BitBlendTable;
    if (!table)
        return;
    uint8_t* d = static_cast<uint8_t*>(destination);
    const uint8_t* s = static_cast<const uint8_t*>(source);
    for (uint32_t i = 0; i < n; ++i)
        d[i] = LightLookup(table, StrengthRow<Slot>(s[i]), d[i]);
}

template <uint32_t Slot>
void Light8Value(void* destination, uint32_t value, uint32_t n)
{
    const uint8_t* table = g_current8BitBlendTable;
    if (!table)
        return;
    uint8_t* d = static_cast<uint8_t*>(destination);
    const uint32_t row = StrengthRow<Slot>(value & 0xFF);
    for (uint32_t i = 0; i < n; ++i)
        d[i] = LightLookup(table, row, d[i]);
}

void Amplify16Source(void* destination, const void* source, uint32_t n)
{
    uint8_t* d = static_cast<uint8_t*>(destination);
    const uint8_t* s = static_cast<const uint8_t*>(source);
    for (uint32_t i = 0; i < n; ++i)
        StorePixel16(d, i, AmplifyPixel565(LoadPixel16(d, i), LoadPixel16(s, i)));
}

void Amplify16Color(void* destination, uint32_t colour, uint32_t n)
{
    uint8_t* d = static_cast<uint8_t*>(destination);
    for (uint32_t i = 0; i < n; ++i)
        StorePixel16(d, i, AmplifyPixel565(LoadPixel16(d, i), colour));
}

void White16(void* destination, uint32_t n)
{
    FillPixels<2>(static_cast<uint8_t*>(destination), 0xFFFF, n, false);
}

void White16Source(void* destination, const void*, const uint8_t*, uint32_t n)
{
    White16(destination, n);
}

void White16Color(void* destination, uint32_t, uint32_t, uint32_t n)
{
    White16(destination, n);
}

template <class Kernel>
constexpr std::array<SpanTable, kStrengthSlotCount> MakeSlotTables(Kernel full, Kernel k80, Kernel k60, Kernel k40,
                                                                   Kernel k20)
{
    return {MakeUniformSpanTable(full), MakeUniformSpanTable(k80), MakeUniformSpanTable(k60),
            MakeUniformSpanTable(k40), MakeUniformSpanTable(k20)};
}

} // namespace

constinit const std::array<uint16_t, 32 * 32> g_amplifyRed = MakeAmplifyTable<11>();
constinit const std::array<uint16_t, 32 * 32> g_amplifyGreen = MakeAmplifyTable<6>();
constinit const std::array<uint16_t, 32 * 32> g_amplifyBlue = MakeAmplifyTable<0>();

constinit const std::array<SpanTable, kStrengthSlotCount> AmplifyLight8Src = MakeSlotTables<SpanSourceKernel>(
    &Light8Source<0>, &Light8Source<1>, &Light8Source<2>, &Light8Source<3>, &Light8Source<4>);
constinit const std::array<SpanTable, kStrengthSlotCount> AmplifyLight8Value = MakeSlotTables<SpanValueKernel>(
    &Light8Value<0>, &Light8Value<1>, &Light8Value<2>, &Light8Value<3>, &Light8Value<4>);
constinit const SpanTable AmplifyLight16Src = MakeUniformSpanTable<SpanSourceKernel>(&Amplify16Source);
constinit const SpanTable AmplifyLight16Color = MakeUniformSpanTable<SpanValueKernel>(&Amplify16Color);
constinit const SpanTable FillWhite16Src = MakeUniformSpanTable<SpanSourceAlphaKernel>(&White16Source);
constinit const SpanTable FillWhite16Color = MakeUniformSpanTable<SpanValueAlphaKernel>(&White16Color);
