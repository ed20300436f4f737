#pragma once
// The image in memory: a width, a height, a pixel format, a hot spot, and either plain rows of
// pixels or run-length rows (RunLengthRows.h) with up to four extra layers. Blitting is handed to
// the routine the blitter has for the pair of formats.
//
// Run-length formats:
// - kFrameRunLength8 (8-bit layered): the main block and each present layer are independent sets
//   of 8-bit rows. A pixel's value is the first non-zero value covering it in the order main,
//   layer 4, 3, 2, 1; none means transparent.
// - kFrameRunLengthAlpha: the main block holds the opaque pixels as rows of the frame's depth;
//   layer 4 holds the colours of translucent pixels in rows of the same depth, and layer 3 their
//   alpha bytes in step with layer 4's runs (one per literal pixel and one per fill run). On an
//   8-bit display these frames carry 2-byte 5-6-5 values.
//
// Pixel memory, layers and row tables are heap blocks (std::malloc) owned by the frame, except
// after ForgetPixels. Subclasses that draw into memory of their own (the display, the back buffer)
// set the fields directly.
#include "graphics/FrameInterface.h"

#include <cstdint>

class CFrameLoadStage;
class CObjectPointerProperty;
class CSharedString;
class CVirtualFile;

class CFrame : public CFrameInterface
{
    DECLARE_CLASS_RECORD(CFrame)

    CFrame();
    ~CFrame() override;

    // CFrameInterface. The getters a blit reads are final: they answer from the fields, inline
    // wherever a frame is known to be a CFrame (AsFrame).
    bool Blit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
              CBlitter* blitter) override;
    void ClearRect(const CIntRect& rect) override;
    void Clear() override;
    void FillWithColor(const CColor& color) override;
    void FillWithByte(uint8_t value) override;
    void FillRect(const CIntRect& rect, const CColor& color) override;
    uint32_t GetBitsPerPixel() const override;
    uint32_t GetBytesPerPixel() const override;
    uint8_t* GetPixels() const final { return m_pixels; }
    uint8_t* GetLayer1Pixels() const final { return m_layerPixels[0]; }
    uint8_t* GetLayer2Pixels() const final { return m_layerPixels[1]; }
    uint8_t* GetLayer3Pixels() const final { return m_layerPixels[2]; }
    uint8_t* GetLayer4Pixels() const final { return m_layerPixels[3]; }
    void GetBounds(CIntRect& out) const override;
    uint32_t GetFormatFlags() const final { return m_formatFlags; }
    uint16_t GetHeight() const final { return m_height; }
    uint32_t GetPitch() const final { return m_rowOffsets ? m_rowOffsets[1] : 0; }
    uint32_t GetWidthLog2() const override { return m_widthLog2; }
    uint32_t GetHeightLog2() const override { return m_heightLog2; }
    int16_t GetLeft() const final { return m_left; }
    int16_t GetTop() const final { return m_top; }
    uint16_t GetWidth() const final { return m_width; }
    uint32_t* GetRowOffsets() const final { return m_rowOffsets; }
    uint32_t* GetLayer1RowOffsets() const final { return m_layerRowOffsets[0]; }
    uint32_t* GetLayer2RowOffsets() const final { return m_layerRowOffsets[1]; }
    uint32_t* GetLayer3RowOffsets() const final { return m_layerRowOffsets[2]; }
    uint32_t* GetLayer4RowOffsets() const final { return m_layerRowOffsets[3]; }
    void DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color) override;
    void DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color) override;
    bool GetPixelColor(int32_t x, int32_t y, CColor& out) const override;
    uint32_t GetRawPixel(int32_t x, int32_t y) const override;
    void SetPixel(int32_t x, int32_t y, const CColor& color) override;
    bool IsPixelOpaque(int32_t x, int32_t y) const override;
    void ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table) override;
    // The palette storage, created on first use.
    CPaletteTable* GetPalette() override;
    bool HasPalette() const override { return (m_formatFlags & kFrameHasPalette) != 0; }

    uint32_t GetObjectSize() const override;

    // Calls the blitter's routine for (source, this frame); rectangles are in pixel coordinates
    // and already clipped. False when the blitter has no routine for the pair (nothing drawn).
    virtual bool BlitUnclipped(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
                               CBlitter* blitter);
    // Reads the TGA file (opened with openMode | read) as a 32-bit image, runs the stage list
    // over it (null: the default list) and takes a copy of the palette when one is given. False
    // when the file cannot be read or decoded. A load started while another runs ends the
    // program.
    virtual bool LoadTga(const char* fileName, CFrameLoadStage* stages, const CPaletteTable* palette,
                         uint32_t openMode);
    // The frame from its cache file, or, when that is missing, out of date or damaged, from its
    // source image ("Cache/<folder>/<name>.Frame") through the stages, after which a new cache
    // file is written. False, writing nothing, when neither gives a frame.
    virtual bool LoadCached(const char* folder, const char* name, CFrameLoadStage* stages, bool useCacheFolder,
                            uint32_t openMode);

    // Writes the frame as a run-length TGA (a 16-bit frame as a 24-bit copy). False when nothing
    // could be written (no pixels, a depth without a TGA form, no routine to copy it) or the file
    // could not be stored.
    bool SaveTga(const char* fileName, uint32_t openMode);
    // The default stage list of frames (alpha threshold, crop, un-premultiply, run-length
    // encoding, dithered conversion), rebuilt on each call.
    static CFrameLoadStage* GetDefaultLoadStages();
    // A developer switch: LoadTga rewrites uncompressed TGA files compressed (off by default, so
    // data files are never changed).
    static void SetUncompressedTgaRewrite(bool enabled);

    // The frame block (the cached form of a frame, also embedded in sequence files). Reading
    // answers false, leaving the frame empty, for another version tag, a short file or sections
    // and row tables that do not hold together; a section above 4 MiB ends the program as a
    // corrupt cache. Writing answers false, writing nothing, for a section above 4 MiB, and
    // false when the file did not take every byte.
    bool ReadFrameBlock(CVirtualFile& file);
    bool WriteFrameBlock(CVirtualFile& file);
    // Source image records of 32-bit images: lossless (zlib planes) or lossy (JPEG colour and a
    // zlib alpha plane). Reading answers false, leaving the frame empty, for anything damaged.
    bool ReadSourceImage(CVirtualFile& file);
    // The width and height of the source image record at the file's position, read without
    // decoding its pixels, so that a reader can refuse a record before paying for it. The
    // position is kept. False when the record's kind, lengths or sizes do not hold together.
    static bool ReadSourceImageSize(CVirtualFile& file, uint32_t& width, uint32_t& height);
    // Reads "Cache/<folder>/<name>.Frame": the origin, then the source image record.
    bool LoadSourceImage(const char* folder, const char* name);
    // False for frames that are not plain 32-bit, or when the record could not be written.
    bool WriteSourceImage(CVirtualFile& file, int quality, bool lossless);
    // The lossy record when it is clearly smaller than the lossless one, else the lossless one.
    bool WriteSourceImageBest(CVirtualFile& file, int quality, bool forceLossless);
    // The rule: lossless size > (lossy size x 5 + 1000) x 20 / 95.
    static bool PrefersLossyRecord(uint64_t losslessSize, uint64_t lossySize);
    // The cache file of a frame for the depth the stage list converts to (the display depth
    // without a list). False, with an empty name, for depths without a cache form.
    static bool BuildCacheFileName(CSharedString& out, const char* folder, const char* name,
                                   const CFrameLoadStage* stages, bool useCacheFolder);
    // The extension of the files that name the frames at start-up: "FRAME" (source images) with
    // compressed caches, else the cache extension of the display depth; null for other depths.
    static const char* GetCacheExtension();

    // The smallest rectangle (pixel coordinates) holding every pixel that shows: a non-zero alpha
    // at 32 bits, a non-zero value otherwise. {0, 0, 0, 0} when none shows.
    void GetOpaqueBounds(CIntRect& out) const;
    // Whether the pixel (column, row) of plain rows shows: a non-zero alpha at 32 bits, a
    // non-zero value otherwise. The frame must have plain rows holding that pixel.
    bool PlainPixelShows(uint32_t column, uint32_t row) const;
    // Makes a plain 24-bit frame 32-bit with alpha 255 (0, and all bytes 0, for black pixels
    // when blackTransparent); the origin is kept. True when the frame is then plain 32-bit.
    bool ExpandTo32Bits(bool blackTransparent);

    // AllocatePixels, then UpdateDerivedSizes with the returned pitch.
    void Create(uint32_t width, uint32_t height, uint32_t depth);
    // Returns the pitch (in pixels) of zeroed plain pixels of that size and depth (8, 16, 24, 32);
    // keeps the memory when nothing changes. 0, leaving the frame empty, for any other depth, a
    // size above 65535, or pixel memory that would not fit in 32 bits or could not be had.
    uint32_t AllocatePixels(uint32_t width, uint32_t height, uint32_t depth);
    // Origin (0, 0), the log2 fields, and when rebuild is set and the height is not 0 a new row
    // table of max(height, 2) entries r * pitch.
    void UpdateDerivedSizes(uint32_t pitch, bool rebuild);
    // Size 0, pixels, layers and row tables freed, depth and run-length bits cleared.
    void FreePixels();
    // Drops the pixel, layer and row-table pointers without freeing them (memory that belongs to
    // a loaded buffer).
    void ForgetPixels();
    void SetDepthFlags(uint32_t depth);
    void SetFormatFlags(uint32_t flags) { m_formatFlags = flags; }
    // Takes a heap block (and its heap row table) as the main pixels or as layer 1 to 4, freeing
    // what was there.
    void AdoptPixels(uint8_t* pixels, uint32_t* rowOffsets);
    void AdoptLayer(uint32_t layer, uint8_t* pixels, uint32_t* rowOffsets);

    void CopyFrom(CFrameInterface* source);
    // A copy of the rectangle (source frame coordinates) in the source's depth, through the copy
    // blitter, with the source's palette; origin (0, 0).
    void CopyRectFrom(CFrameInterface* source, const CIntRect& rect);
    // Any pixel that shows: a non-zero index (8-bit), a non-zero byte (24-bit), a non-zero alpha
    // (32-bit). False for other depths, run-length rows and empty frames.
    bool HasVisiblePixels() const;
    void SetOrigin(int16_t left, int16_t top);
    void MoveOrigin(int16_t dx, int16_t dy);

    // A copy of the table becomes the frame's palette; the flag follows whether it holds data.
    void SetPalette(const CPaletteTable& palette);
    // Makes the frame's palette a palette table (kind 1) and sets the flag.
    void CreatePalette();
    // Drops the palette storage and the flag.
    void DropPalette();
    // Reads the palette of an 8-bit BMP file into the frame; false when the file cannot be read
    // or holds no such palette.
    bool LoadBmpPalette(const char* fileName);

    static uint32_t* BuildRowOffsetTable(uint32_t pitch, uint32_t height);
    static void FreeAndClear(void** block);

    // The dynamic property "Palette": an owned CPaletteHolder, the frame's palette storage.
    static CObjectPointerProperty* GetPaletteProperty();

protected:
    uint8_t* GetLayerPixels(uint32_t index) const { return m_layerPixels[index]; }
    bool HasPlainPixels() const
    {
        return m_pixels && m_rowOffsets && (m_formatFlags & kFrameRunLengthMask) == 0;
    }
    // Address of pixel (column, row) of plain rows.
    uint8_t* PixelAddress(uint32_t column, uint32_t row) const
    {
        return m_pixels + (static_cast<size_t>(m_rowOffsets[row]) + column) * GetBytesPerPixel();
    }
    // Whether frame coordinates (x, y) lie inside; (column, row) receives the pixel coordinates.
    bool ToPixel(int32_t x, int32_t y, uint32_t& column, uint32_t& row) const;
    // The rectangle (frame coordinates) clipped to the bounds and moved to pixel coordinates; false
    // when nothing of it is left.
    bool ClipToPixels(const CIntRect& rect, CIntRect& pixels) const;
    uint8_t GetRunLengthValue8(uint32_t column, uint32_t row, bool& covered) const;
    // Solid fill of a rectangle in pixel coordinates, already clipped.
    void FillPixelRect(const CIntRect& rect, const CColor& color);
    // Moves the other frame's pixels, layers, size and format into this one; the other is left empty.
    void TakeContentsFrom(CFrame& other);
    // Whether the sections just read (of the given sizes) and their row tables hold together.
    bool HasValidSections(const uint32_t sizes[5]);

    int16_t m_left = 0;
    int16_t m_top = 0;
    uint8_t* m_pixels = nullptr;
    uint8_t m_widthLog2 = 0;
    uint8_t m_heightLog2 = 0;
    uint16_t m_width = 0;
    uint16_t m_height = 0;
    uint32_t* m_rowOffsets = nullptr;
    uint8_t* m_layerPixels[4] = {};
    uint32_t* m_layerRowOffsets[4] = {};
    uint32_t m_formatFlags = 0;
};

// The compressed frame-cache switch: on at start-up, cleared by "/NoCompression".
void SetFrameCompressionEnabled(bool enabled);
bool IsFrameCompressionEnabled();
