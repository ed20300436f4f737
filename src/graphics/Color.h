#pragma once
// The colour passed to every drawing operation. It carries the colour once in each pixel form the
// frames use, so that a frame of any depth writes it without conversion: the 32-bit and 24-bit
// bytes, the display's 16-bit pixel, and a palette index looked up on first use and then cached.
#include <cstdint>

class CPaletteTable;

class CColor
{
public:
    // Flag bits.
    static constexpr uint32_t kIndexValid = 0x1;     // the cached palette index is valid
    static constexpr uint32_t kIndexFromTable = 0x2; // the index comes from the 15-bit inverse table

    // Flags 0; the colour bytes are not set.
    CColor() = default;

    // Sets the colour, both byte forms and the 16-bit pixel; flags = kIndexFromTable.
    void ConstructRgba(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
    // As ConstructRgba, but a cached index is kept when red, green and blue are unchanged and it
    // was found the same way. An alpha of -1 means 255.
    void Set(uint8_t red, uint8_t green, uint8_t blue, int alpha = -1);
    // As Set, but the index will come from a search of entries 1 to 255 of the current palette
    // (kIndexFromTable cleared).
    void SetAvoidingIndexZero(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
    // The entry of the current palette, alpha 255; caches the index (both flag bits set).
    void SetFromPaletteIndex(uint8_t index);
    // red = (v >> 8) & 0xF8, green = (v >> 3) & 0xFC, blue = (v & 31) * 8 (Expand565), alpha 255;
    // as Set.
    void SetFromPixel565(uint16_t value);
    // Opaque black, 16-bit pixel 0, palette index 0; flags unchanged.
    void SetBlack();
    // SetBlack, then flags = kIndexValid only.
    void ResetToBlackIndexZero();
    // Opaque black with palette index 1; flags = kIndexValid only.
    void ResetToBlackIndexOne();

    // The cached index when valid; otherwise looks it up (the 15-bit inverse colour table when
    // kIndexFromTable is set, else a search of entries 1 to 255 of the current palette, or of the
    // display frame's palette when the current one is empty), caches it and returns it.
    uint8_t GetPaletteIndex() const;

    uint8_t GetRed() const { return m_red; }
    uint8_t GetGreen() const { return m_green; }
    uint8_t GetBlue() const { return m_blue; }
    uint8_t GetAlpha() const { return m_alpha; }
    // The 32-bit pixel: bytes blue, green, red, alpha.
    uint32_t GetPixel32() const
    {
        return m_blue | (m_green << 8) | (m_red << 16) | (static_cast<uint32_t>(m_alpha) << 24);
    }
    // The 24-bit pixel bytes, blue first.
    const uint8_t* GetPixel24() const { return m_bytes24; }
    uint16_t GetPixel16() const { return m_pixel16; }
    uint32_t GetFlags() const { return m_flags; }
    bool HasPaletteIndex() const { return (m_flags & kIndexValid) != 0; }

    // Where GetPaletteIndex searches when the current palette holds no data: the palette of the
    // display frame, supplied by the display.
    using DisplayPaletteGetter = CPaletteTable* (*)();
    static void SetDisplayPaletteGetter(DisplayPaletteGetter getter);

private:
    void StoreColor(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
    void Update(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha, bool indexFromTable);

    uint8_t m_blue = 0;
    uint8_t m_green = 0;
    uint8_t m_red = 0;
    uint8_t m_alpha = 0;
    uint8_t m_bytes24[3] = {};
    uint16_t m_pixel16 = 0;
    mutable uint8_t m_paletteIndex = 0;
    mutable uint32_t m_flags = 0;
};

extern const CColor g_colorBlack;            // (0, 0, 0), alpha 255
extern const CColor g_colorWhite;            // (255, 255, 255), alpha 255
extern const CColor g_colorTransparentBlack; // (0, 0, 0), alpha 0
