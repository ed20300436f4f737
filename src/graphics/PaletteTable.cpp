#include "graphics/PaletteTable.h"

#include "blit/ColorPacking.h"
#include "foundation/ByteOrder.h"
#include "foundation/VirtualFile.h"
#include "graphics/Frame.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t kOpenRead = 0x4;
constexpr uint32_t kOpenCreateWrite = 0x3;

uint32_t SquareDistance(int a, int b)
{
    int d = a - b;
    return static_cast<uint32_t>(d * d);
}

} // namespace

CPaletteTable::~CPaletteTable()
{
    Free();
}

uint32_t CPaletteTable::GetSizeForKind(int32_t kind)
{
    switch (kind) {
    case 1: return 768;
    case 2: return 256;
    case 3: return 1024;
    case 4: return 65536;
    case 5: return 32768;
    case 6: return 32768;
    case 7: return 65536;
    default: return 0;
    }
}

void CPaletteTable::Free()
{
    std::free(m_data);
    m_data = nullptr;
    m_kind = 0;
}

void CPaletteTable::Create(int32_t kind)
{
    if (kind != m_kind || kind == 0) {
        std::free(m_data);
        m_data = nullptr;
    }
    m_kind = kind;
    uint32_t size = GetSizeForKind(kind);
    if (!m_data && size > 0) {
        m_data = static_cast<uint8_t*>(std::malloc(size));
        for (uint32_t i = 0; i < size; ++i)
            m_data[i] = static_cast<uint8_t>(i);
    }
}

void CPaletteTable::CopyFrom(const CPaletteTable& other)
{
    if (!other.m_data || &other == this)
        return;
    Create(other.m_kind);
    if (m_data)
        std::memcpy(m_data, other.m_data, GetSizeForKind(m_kind));
}

bool CPaletteTable::Differs(const CPaletteTable& other) const
{
    if (m_kind != other.m_kind)
        return true;
    if (!m_data || !other.m_data)
        return m_data != other.m_data;
    return std::memcmp(m_data, other.m_data, GetSizeForKind(m_kind)) != 0;
}

bool CPaletteTable::Load(const char* fileName, int32_t kind)
{
    Create(kind);
    CVirtualFile file;
    if (!file.Open(fileName, kOpenRead))
        return false;
    const uint32_t size = GetSizeForKind(m_kind);
    const bool whole = m_data && file.GetSize() == size && file.Read(m_data, size) == size;
    file.Close();
    if (!whole) {
        // Back to the identity fill, as for a file that does not open.
        Create(0);
        Create(kind);
    }
    return whole;
}

bool CPaletteTable::Save(const char* fileName, uint32_t mode) const
{
    CVirtualFile file;
    if (!file.Open(fileName, mode | kOpenCreateWrite))
        return false;
    uint32_t size = GetSize();
    bool written = file.Write(m_data, size) == size;
    bool closed = file.Close();
    return written && closed;
}

void CPaletteTable::SetEntry(uint32_t index, uint8_t red, uint8_t green, uint8_t blue)
{
    if (!m_data || index > 255 || GetSize() < 768)
        return;
    uint8_t* entry = m_data + index * 3;
    entry[0] = blue;
    entry[1] = green;
    entry[2] = red;
}

void CPaletteTable::GetEntry(uint32_t index, uint8_t& red, uint8_t& green, uint8_t& blue) const
{
    if (!m_data || index > 255 || GetSize() < 768) {
        red = green = blue = 0;
        return;
    }
    const uint8_t* entry = m_data + index * 3;
    blue = entry[0];
    green = entry[1];
    red = entry[2];
}

uint8_t CPaletteTable::FindNearest(uint8_t red, uint8_t green, uint8_t blue, uint32_t start, uint32_t end)
{
    if (!m_data)
        return 0;
    switch (m_kind) {
    case 1: {
        if (end > 256)
            end = 256;
        uint32_t best = start;
        uint32_t bestDistance = UINT32_MAX;
        for (uint32_t i = start; i < end; ++i) {
            const uint8_t* entry = m_data + i * 3;
            uint32_t distance = 30 * SquareDistance(red, entry[2]) + 59 * SquareDistance(green, entry[1]) +
                                11 * SquareDistance(blue, entry[0]);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = i;
                if (distance == 0)
                    break;
            }
        }
        return static_cast<uint8_t>(best);
    }
    case 5:
        return m_data[PackRgbToPixel15(red, green, blue) & 0x7FFF];
    case 6: {
        uint32_t at = PackRgbToPixel15(red, green, blue) & 0x7FFF;
        if (m_data[at] == 0 && m_fallback && m_fallback != this)
            m_data[at] = m_fallback->FindNearest(red, green, blue, 1, 255);
        return m_data[at];
    }
    case 2:
    case 3:
    case 4:
    case 7: {
        // The smaller kinds would be read past their end by a 16-bit index.
        uint32_t at = PackRgbToPixel16(red, green, blue) & 0xFFFF;
        return at < GetSizeForKind(m_kind) ? m_data[at] : 0;
    }
    default:
        return 0;
    }
}

bool ReadBmpPalette(CFrame& frame, const uint8_t* bytes, uint32_t size)
{
    // The palette follows the information header, which is 40 bytes in the classic format and
    // longer in the later ones (ImageMagick writes 124): take its own size, not a fixed offset.
    constexpr uint32_t kFileHeader = 14;
    if (!bytes || size < kFileHeader + 40)
        return false;
    const uint32_t infoSize = LoadU32Le(bytes + kFileHeader);
    const uint32_t bitCount = LoadU16Le(bytes + kFileHeader + 14);
    if (infoSize < 40 || bitCount != 8 || infoSize > size - kFileHeader)
        return false;
    // The colour table holds the header's used-colour count of entries (0 meaning all 256) and
    // never reaches into the pixels: the entries it lacks are black, not the pixel bytes after it.
    const uint32_t tableStart = kFileHeader + infoSize;
    const uint32_t used = LoadU32Le(bytes + kFileHeader + 32);
    uint32_t count = used == 0 || used > 256 ? 256 : used;
    const uint32_t pixelStart = LoadU32Le(bytes + 10);
    if (pixelStart >= tableStart)
        count = std::min(count, (pixelStart - tableStart) / 4);
    if (count == 0 || size - tableStart < count * 4)
        return false;
    CPaletteTable* palette = frame.GetPalette();
    if (palette->GetKind() != 1 || palette->IsEmpty())
        frame.CreatePalette();
    palette = frame.GetPalette();
    const uint8_t* entries = bytes + tableStart;
    for (uint32_t i = 0; i < 256; ++i) {
        const uint8_t* entry = entries + i * 4;
        if (i < count)
            palette->SetEntry(i, entry[2], entry[1], entry[0]);
        else
            palette->SetEntry(i, 0, 0, 0);
    }
    return true;
}
