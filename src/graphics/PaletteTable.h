#pragma once
// One palette-derived table: a palette of 256 colours, an index remap table, or one of the larger
// lookup tables indexed by colour. The kind fixes the size of the data:
//   1   768 bytes  palette: 256 entries of blue, green, red
//   2   256        index remap table: new index by old index
//   3   1024
//   4   65536      256 x 256 index table, entry [s * 256 + d]
//   5   32768      inverse colour table by 5-5-5 colour (r5 * 1024 + g5 * 32 + b5)
//   6   32768      the same, filled on demand from the fallback palette (0 = not yet computed)
//   7   65536      inverse colour table by the display's 5-6-5 pixel
// Data is a heap block (std::malloc) owned by the table. The builders search a palette with
// FindNearest, so they take it by non-const reference (a kind-6 search table fills itself).
#include <cstdint>

class CColorHistogram;

class CPaletteTable
{
public:
    CPaletteTable() = default;
    ~CPaletteTable();
    CPaletteTable(const CPaletteTable&) = delete;
    CPaletteTable& operator=(const CPaletteTable&) = delete;

    static uint32_t GetSizeForKind(int32_t kind);

    // Frees the data when the kind changes or is 0, stores the kind, and when no data is left
    // allocates the kind's size holding the identity (byte i = i mod 256).
    void Create(int32_t kind);
    // Nothing when other has no data or is this table; otherwise Create(other's kind) and a copy
    // of its bytes.
    void CopyFrom(const CPaletteTable& other);
    // True when the kinds or any byte differ; two empty tables of kind 0 are equal.
    bool Differs(const CPaletteTable& other) const;
    // Create(kind), then reads the kind's size from the file. False, with the identity fill, when
    // the file does not open or does not hold exactly the kind's size: a cut or padded cache file
    // is never taken for a table.
    bool Load(const char* fileName, int32_t kind);
    // Writes the table's bytes to the file opened with mode | create | write. False when it does
    // not open or not every byte could be stored.
    bool Save(const char* fileName, uint32_t mode) const;
    // Frees the data; kind 0.
    void Free();

    // Palette entries (kind 1): bytes 2, 1, 0 are red, green, blue. Ignored without data.
    void SetEntry(uint32_t index, uint8_t red, uint8_t green, uint8_t blue);
    void GetEntry(uint32_t index, uint8_t& red, uint8_t& green, uint8_t& blue) const;

    // Kind 1: the entry of start .. end - 1 nearest to the colour (30, 59, 11 weighted squares;
    // ties keep the lower index; an exact match stops the search). Kinds 5 and 6 look the colour
    // up by its 5-5-5 value (kind 6 fills a missing entry from the fallback palette over entries
    // 1 to 254); kinds 2, 3, 4 and 7 by its 5-6-5 value. 0 without data, for other kinds, and for
    // a value past the end of a smaller table.
    uint8_t FindNearest(uint8_t red, uint8_t green, uint8_t blue, uint32_t start, uint32_t end);

    // The builders (PaletteTableBuilders.cpp). Palettes are kind 1; a search over "start to end"
    // takes the entries start .. end - 1.
    //
    // Kind 2: entries first .. end - 1 become the entry of searchPalette (or palette) nearest to
    // the palette colour with its lightness scaled by lightness / 128 (128 keeps every entry);
    // the other entries keep the identity. The two further levels change nothing.
    void BuildColorAdjustTable(CPaletteTable& palette, int32_t lightness, int32_t level2, int32_t level3,
                               uint32_t first, uint32_t end, uint32_t searchStart, uint32_t searchEnd,
                               CPaletteTable* searchPalette);
    // Kind 4, entry [s * 256 + d]: the entry of 1 .. 254 nearest to source s laid over
    // destination d with the amount (source entry 0 counts as white). Amount 0 makes the light
    // table: each source brightened to full strength and laid on with (max channel / 255)^1.5.
    void BuildBlendTable(CPaletteTable& palette, float amount);
    // Kind 4: the destination's channels multiplied by 1 + source channel / 255.
    void BuildAmplifyLightTable(CPaletteTable& palette);
    // Kind 4: the source's hue and saturation laid over the destination, a third of its
    // lightness added.
    void BuildTestLightTable(CPaletteTable& palette);
    // Kind 5 (by 5-5-5 colour) or 7 (by 5-6-5 colour): the entry of start .. end - 1 nearest to
    // each pixel's colour (8r, 8g, 8b) or (8r, 4g, 8b); kind 6: all zero, filled on use. The
    // palette becomes the fallback. Other kinds leave the table unchanged.
    void BuildInverseColorTable(CPaletteTable& palette, int32_t kind, uint32_t start, uint32_t end);
    // Kind 1: all black but entry 255 white, then up to count colours of the histogram's median
    // cut from entry first on (never past entry 255).
    void BuildFromHistogram(const CColorHistogram& histogram, uint32_t first, uint32_t count);

    uint8_t* GetData() const { return m_data; }
    int32_t GetKind() const { return m_kind; }
    uint32_t GetSize() const { return m_data ? GetSizeForKind(m_kind) : 0; }
    bool IsEmpty() const { return m_data == nullptr; }
    CPaletteTable* GetFallbackPalette() const { return m_fallback; }
    void SetFallbackPalette(CPaletteTable* palette) { m_fallback = palette; }

private:
    uint8_t* m_data = nullptr;
    int32_t m_kind = 0;
    CPaletteTable* m_fallback = nullptr;
};

// Reads the palette of an 8-bit BMP file held in memory into the frame's palette: the entries of
// 4 bytes (blue, green, red, reserved) that follow the information header, as many as its
// used-colour count says (0: all 256), never past the start of the pixels; the entries the table
// lacks are black. False unless the file holds both headers, a bit count of 8 and its whole table.
class CFrame;
bool ReadBmpPalette(CFrame& frame, const uint8_t* bytes, uint32_t size);
