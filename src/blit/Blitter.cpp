#include "blit/Blitter.h"

#include "blit/BlitTypeList.h"
#include "foundation/Stream.h"
#include "graphics/FrameInterface.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

uint32_t g_blendStepForLevel[256];
uint32_t g_alphaScaleTables[256][256];
const uint32_t* g_currentAlphaRow = g_alphaScaleTables[255];

namespace {

constexpr uint32_t kRecordFlagMask = 0xE;

int32_t LevelForOpacity(float opacity)
{
    float scaled = static_cast<float>(static_cast<double>(opacity) * 255.0);
    // nearbyint rounds ties to even in the default rounding mode.
    return static_cast<int32_t>(std::nearbyint(scaled));
}

} // namespace

CBlitRoutineArray::~CBlitRoutineArray()
{
    std::free(m_records);
}

void CBlitRoutineArray::Clear()
{
    m_count = 0;
}

void CBlitRoutineArray::Reserve(uint32_t n)
{
    if (m_capacity >= n)
        return;
    auto* records = static_cast<BlitRoutineRecord*>(std::malloc(sizeof(BlitRoutineRecord) * n));
    if (!records)
        std::abort();
    if (m_count > 0)
        std::memcpy(records, m_records, sizeof(BlitRoutineRecord) * m_count);
    std::free(m_records);
    m_records = records;
    m_capacity = n;
}

uint32_t CBlitRoutineArray::Add(const BlitRoutineRecord& record)
{
    if (m_count + 1 > m_capacity) {
        uint32_t grown = static_cast<uint32_t>(static_cast<float>(m_capacity) * 1.2f);
        Reserve(grown > m_count + 1 ? grown : m_count + 1);
    }
    m_records[m_count] = record;
    return m_count++;
}

CBlitter::CBlitter() = default;

CBlitter::~CBlitter() = default;

uint32_t CBlitter::ReservedOperation(uint32_t, uint32_t)
{
    return 0;
}

BlitRoutine CBlitter::ScanRoutines(CFrameInterface* source, CFrameInterface* destination, uint32_t key)
{
    const uint32_t sourceFlags = source->GetFormatFlags();
    const uint32_t destinationFlags = destination->GetFormatFlags();
    uint32_t destinationBits = destination->GetBitsPerPixel();
    uint32_t sourceBits = source->GetBitsPerPixel();
    BlitRoutine found = nullptr;
    for (uint32_t i = 0; i < m_routines.GetCount(); ++i) {
        const BlitRoutineRecord& record = m_routines[i];
        if (record.m_sourceBits == sourceBits && record.m_sourceFlags == (sourceFlags & kRecordFlagMask) &&
            record.m_destinationBits == destinationBits &&
            record.m_destinationFlags == (destinationFlags & kRecordFlagMask)) {
            found = record.m_routine;
            break;
        }
    }
    m_memoKey = key;
    m_memoRoutine = found;
    m_memoValid = true;
    return found;
}

CPaletteTable* CBlitter::GetLookupTable()
{
    return &m_lookupTable;
}

bool CBlitter::SaveState(CStream& stream)
{
    uint8_t bytes[4];
    std::memcpy(bytes, &m_opacity, 4);
    return stream.Write(bytes, 4) == 4;
}

bool CBlitter::LoadState(CStream& stream)
{
    uint8_t bytes[4];
    if (stream.Read(bytes, 4) != 4)
        return false;
    float opacity;
    std::memcpy(&opacity, bytes, 4);
    SetOpacity(opacity);
    return true;
}

bool CBlitter::IsUnscaled() const
{
    return true;
}

void CBlitter::RegisterRoutine(uint32_t sourceBits, uint32_t sourceFlags, uint32_t destinationBits,
                               uint32_t destinationFlags, BlitRoutine routine)
{
    // A lookup made before this registration must not keep answering for the old table.
    m_memoValid = false;
    for (uint32_t i = 0; i < m_routines.GetCount(); ++i) {
        BlitRoutineRecord& record = m_routines[i];
        if (record.m_sourceBits == sourceBits && record.m_sourceFlags == sourceFlags &&
            record.m_destinationBits == destinationBits && record.m_destinationFlags == destinationFlags) {
            record.m_routine = routine;
            return;
        }
    }
    m_routines.Add(BlitRoutineRecord{sourceBits, sourceFlags, destinationBits, destinationFlags, routine});
}

void CBlitter::SetOpacity(float opacity)
{
    // The level indexes the opacity tables: keep it inside them.
    if (!(opacity >= 0.0f))
        opacity = 0.0f;
    else if (opacity > 1.0f)
        opacity = 1.0f;
    m_opacity = opacity;
    m_level = LevelForOpacity(opacity);
    m_blendStep = g_blendStepForLevel[m_level];
}

void BuildAlphaScaleTables()
{
    for (uint32_t level = 0; level < 256; ++level)
        for (uint32_t v = 0; v < 256; ++v)
            g_alphaScaleTables[level][v] = v * level / 255;
}

void BuildBlendStepTable()
{
    if (g_blendStepForLevel[128] != 0)
        return;
    for (uint32_t level = 0; level < 256; ++level)
        g_blendStepForLevel[level] = 5 - (6 * level) / 256;
}
