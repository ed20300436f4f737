#pragma once
// The base of every blend mode. A blend mode is one global object whose constructor registers one
// blit routine per pair of pixel formats it can draw; the destination frame asks it for the
// routine of the two frames' formats and calls it. The blend mode also carries an opacity
// (0.0..1.0) with its level (0..255) and blend step (0..5), and a lookup-table holder.
#include "graphics/Frame.h"
#include "graphics/IntRect.h"
#include "graphics/PaletteTable.h"

#include <cstdint>

class CBlitter;
class CBlitTypeList;
class CStream;

// Draws the source rectangle onto the destination rectangle. Both rectangles are in pixel
// coordinates of their frames (hot spot removed) and already clipped.
using BlitRoutine = void (*)(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                             const CIntRect* destinationRect, CBlitter* blitter);

// Bits per pixel are 8, 16, 24 or 32; flags are the frame's format flags masked with 0xE
// (0 plain rows, 0x2 or 0x4 run-length rows).
struct BlitRoutineRecord
{
    uint32_t m_sourceBits;
    uint32_t m_sourceFlags;
    uint32_t m_destinationBits;
    uint32_t m_destinationFlags;
    BlitRoutine m_routine;
};

// A growable array of routine records; it grows to the larger of count + 1 and 1.2 times its
// capacity.
class CBlitRoutineArray
{
public:
    CBlitRoutineArray() = default;
    virtual ~CBlitRoutineArray();
    CBlitRoutineArray(const CBlitRoutineArray&) = delete;
    CBlitRoutineArray& operator=(const CBlitRoutineArray&) = delete;

    // Count 0; the storage is kept.
    virtual void Clear();
    // Appends a record; returns its index.
    virtual uint32_t Add(const BlitRoutineRecord& record);
    // Makes room for n records; a smaller n does nothing.
    void Reserve(uint32_t n);

    uint32_t GetCount() const { return m_count; }
    uint32_t GetCapacity() const { return m_capacity; }
    BlitRoutineRecord& operator[](uint32_t i) { return m_records[i]; }
    const BlitRoutineRecord& operator[](uint32_t i) const { return m_records[i]; }

private:
    BlitRoutineRecord* m_records = nullptr;
    uint32_t m_count = 0;
    uint32_t m_capacity = 0;
};

class CBlitter
{
public:
    CBlitter();
    virtual ~CBlitter();
    CBlitter(const CBlitter&) = delete;
    CBlitter& operator=(const CBlitter&) = delete;

    // Returns 0 in every blend mode.
    virtual uint32_t ReservedOperation(uint32_t first, uint32_t second);
    // The routine registered for (source, destination), or null. The last pair asked is
    // remembered, so asking again for the same pair of formats does not scan the records. No
    // blend mode answers otherwise (final), so a call needs no lookup and the memo check is inline.
    virtual BlitRoutine FindRoutine(CFrameInterface* source, CFrameInterface* destination) final
    {
        const uint32_t key = MemoKey(FormatFlagsOf(source), FormatFlagsOf(destination));
        return m_memoValid && key == m_memoKey ? m_memoRoutine : ScanRoutines(source, destination, key);
    }
    virtual CPaletteTable* GetLookupTable();
    // The opacity as its 4 raw bytes; false when they could not all be written.
    virtual bool SaveState(CStream& stream);
    // Reads 4 bytes into the opacity and derives level and step as SetOpacity does. False, with the
    // state unchanged, when 4 bytes could not be read.
    virtual bool LoadState(CStream& stream);
    // False only for the scaling blend modes, whose routines stretch the source onto the
    // destination rectangle.
    virtual bool IsUnscaled() const;

    // Replaces the routine of a record with the same four keys, else appends a record.
    void RegisterRoutine(uint32_t sourceBits, uint32_t sourceFlags, uint32_t destinationBits,
                         uint32_t destinationFlags, BlitRoutine routine);
    // Level = the opacity times 255 rounded to nearest with ties to even; blend step from
    // g_blendStepForLevel. An opacity outside 0..1 is clamped to it, and one that is not a number
    // taken as 0.
    void SetOpacity(float opacity);
    float GetOpacity() const { return m_opacity; }
    int32_t GetLevel() const { return m_level; }
    uint32_t GetBlendStep() const { return m_blendStep; }
    const CBlitRoutineArray& GetRoutines() const { return m_routines; }

    // The blit-type list: the named blend modes in their fixed order.
    static CBlitTypeList& GetRegistry();

private:
    // A CFrame's flags are read from its field, any other frame's asked.
    static uint32_t FormatFlagsOf(const CFrameInterface* frame)
    {
        const CFrame* plain = frame->AsFrame();
        return plain ? plain->GetFormatFlags() : frame->GetFormatFlags();
    }
    static uint32_t MemoKey(uint32_t sourceFlags, uint32_t destinationFlags)
    {
        return ((sourceFlags & 0x1EE) << 16) + (destinationFlags & 0x1EE);
    }
    // The record scan behind FindRoutine; its answer becomes the memo.
    BlitRoutine ScanRoutines(CFrameInterface* source, CFrameInterface* destination, uint32_t key);

    CPaletteTable m_lookupTable;
    CBlitRoutineArray m_routines;
    float m_opacity = 1.0f;
    uint32_t m_blendStep = 0;
    int32_t m_level = 255;
    bool m_memoValid = false;
    uint32_t m_memoKey = 0;
    BlitRoutine m_memoRoutine = nullptr;
};

// The opacity tables of every level-scaled blit.
// g_blendStepForLevel[L] = 5 - floor(6 * L / 256): 5 for level 0 down to 0 for level 255.
extern uint32_t g_blendStepForLevel[256];
// Row L, entry v = floor(v * L / 255): row 255 is the identity, row 0 all zero.
extern uint32_t g_alphaScaleTables[256][256];
// The row of g_alphaScaleTables for the level of the blit in progress.
extern const uint32_t* g_currentAlphaRow;

// Fills g_alphaScaleTables (on every call).
void BuildAlphaScaleTables();
// Fills g_blendStepForLevel while its entry 128 is still 0.
void BuildBlendStepTable();
