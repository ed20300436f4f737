// CFrame's frame block: a 36-byte header (tag '1', bits per pixel, hot spot, size, format flags,
// the sizes of the main section and the four layers), then each present section's bytes followed
// by its row-offset table. Cache files hold one; sequence files and frame properties embed it.
#include "foundation/VirtualFile.h"
#include "foundation/Win32Services.h"
#include "graphics/Frame.h"
#include "graphics/RunLengthRows.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr uint8_t kFrameBlockTag = 0x31;
constexpr uint32_t kFrameBlockHeaderSize = 36;
constexpr uint32_t kMaxSectionSize = 0x400000;

// Bytes of one run-length value: 8-bit layered rows hold indices; alpha-blended rows hold 5-6-5
// values on 8- and 16-bit frames, else pixels of the frame's depth.
uint32_t RunLengthValueBytes(uint32_t format, uint32_t bitsPerPixel)
{
    if (format == kFrameRunLength8)
        return bitsPerPixel == 8 ? 1 : bitsPerPixel / 8;
    return bitsPerPixel <= 16 ? 2 : bitsPerPixel / 8;
}

void PutU16(uint8_t* at, uint32_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void PutU32(uint8_t* at, uint32_t value)
{
    std::memcpy(at, &value, 4);
}

uint32_t GetU32(const uint8_t* at)
{
    uint32_t value;
    std::memcpy(&value, at, 4);
    return value;
}

uint16_t GetU16(const uint8_t* at)
{
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

} // namespace

bool CFrame::WriteFrameBlock(CVirtualFile& file)
{
    const uint32_t format = m_formatFlags & kFrameRunLengthMask;
    uint8_t* sections[5] = {m_pixels, m_layerPixels[0], m_layerPixels[1], m_layerPixels[2], m_layerPixels[3]};
    uint32_t* tables[5] = {m_rowOffsets, m_layerRowOffsets[0], m_layerRowOffsets[1], m_layerRowOffsets[2],
                           m_layerRowOffsets[3]};
    uint64_t sizes[5] = {};
    for (int i = 0; i < 5; ++i) {
        if (!sections[i] || !tables[i])
            continue;
        if (format != 0)
            sizes[i] = GetRunLengthBlockSize(sections[i]);
        else if (i == 0)
            sizes[i] = static_cast<uint64_t>(GetPitch()) * m_height * GetBytesPerPixel();
        // A reader refuses sections this large as a corrupt cache.
        if (sizes[i] > kMaxSectionSize)
            return false;
    }

    uint8_t header[kFrameBlockHeaderSize] = {kFrameBlockTag, static_cast<uint8_t>(GetBitsPerPixel())};
    PutU16(header + 2, static_cast<uint16_t>(-m_left));
    PutU16(header + 4, static_cast<uint16_t>(-m_top));
    PutU16(header + 6, m_width);
    PutU16(header + 8, m_height);
    PutU32(header + 12, m_formatFlags);
    for (int i = 0; i < 5; ++i)
        PutU32(header + 16 + i * 4, static_cast<uint32_t>(sizes[i]));
    bool ok = file.Write(header, sizeof header) == sizeof header;
    for (int i = 0; i < 5 && ok; ++i) {
        if (sizes[i] == 0)
            continue;
        const uint32_t tableBytes = m_height * 4u;
        ok = file.Write(sections[i], static_cast<uint32_t>(sizes[i])) == sizes[i] &&
             file.Write(tables[i], tableBytes) == tableBytes;
    }
    return ok;
}

bool CFrame::ReadFrameBlock(CVirtualFile& file)
{
    FreePixels();
    uint8_t header[kFrameBlockHeaderSize];
    if (file.Read(header, sizeof header) != sizeof header || header[0] != kFrameBlockTag)
        return false;
    uint32_t sizes[5];
    uint64_t needed = 0;
    const uint32_t width = GetU16(header + 6);
    const uint32_t height = GetU16(header + 8);
    for (int i = 0; i < 5; ++i) {
        sizes[i] = GetU32(header + 16 + i * 4);
        if (sizes[i] > kMaxSectionSize)
            FatalExit("Fatal Error loading a frame", "The *.frm file is corrupt, change the FRAME_FILE_VERSION number.");
        if (sizes[i] > 0)
            needed += sizes[i] + static_cast<uint64_t>(height) * 4;
    }
    const uint32_t flags = GetU32(header + 12);
    const uint32_t format = flags & kFrameRunLengthMask;
    const uint32_t depthBits = flags & kFrameDepthMask;
    const bool oneDepth = depthBits == kFrameDepth8 || depthBits == kFrameDepth16 || depthBits == kFrameDepth24 ||
                          depthBits == kFrameDepth32;
    const int32_t position = file.GetPosition();
    const uint64_t left = position < 0 ? 0 : file.GetSize() - static_cast<uint64_t>(position);
    if (needed == 0) {
        // Only an image without pixels has no sections.
        if (width != 0 && height != 0)
            return false;
    } else if (width == 0 || height == 0 || !oneDepth || format == kFrameRunLengthMask || needed > left) {
        return false;
    }

    uint8_t** sections[5] = {&m_pixels, &m_layerPixels[0], &m_layerPixels[1], &m_layerPixels[2], &m_layerPixels[3]};
    uint32_t** tables[5] = {&m_rowOffsets, &m_layerRowOffsets[0], &m_layerRowOffsets[1], &m_layerRowOffsets[2],
                            &m_layerRowOffsets[3]};
    m_width = static_cast<uint16_t>(width);
    m_height = static_cast<uint16_t>(height);
    m_formatFlags = flags;
    bool ok = true;
    for (int i = 0; i < 5 && ok; ++i) {
        if (sizes[i] == 0)
            continue;
        *sections[i] = static_cast<uint8_t*>(std::malloc(sizes[i]));
        *tables[i] = BuildRowOffsetTable(width, height);
        ok = *sections[i] && *tables[i] && file.Read(*sections[i], sizes[i]) == sizes[i] &&
             file.Read(*tables[i], height * 4) == height * 4;
    }
    if (ok && needed > 0)
        ok = HasValidSections(sizes);
    if (!ok) {
        FreePixels();
        m_formatFlags = 0;
        return false;
    }
    UpdateDerivedSizes(width, false);
    m_left = static_cast<int16_t>(-static_cast<int16_t>(GetU16(header + 2)));
    m_top = static_cast<int16_t>(-static_cast<int16_t>(GetU16(header + 4)));
    return true;
}

bool CFrame::HasValidSections(const uint32_t sizes[5])
{
    const uint32_t format = m_formatFlags & kFrameRunLengthMask;
    const uint32_t bytes = GetBytesPerPixel();
    if (format == 0) {
        // Plain rows lie pitch pixels apart (pitch >= width), filling the section exactly.
        const uint64_t rowBytes = static_cast<uint64_t>(m_height) * bytes;
        if (sizes[1] || sizes[2] || sizes[3] || sizes[4] || !m_pixels || sizes[0] % rowBytes != 0)
            return false;
        const uint64_t pitch = sizes[0] / rowBytes;
        if (pitch < m_width)
            return false;
        for (uint32_t row = 0; row < m_height; ++row)
            if (m_rowOffsets[row] != row * pitch)
                return false;
        m_rowOffsets[1] = static_cast<uint32_t>(pitch); // the pitch of a one-row frame
        return true;
    }
    const uint32_t valueBytes = RunLengthValueBytes(format, GetBitsPerPixel());
    const uint8_t* sections[5] = {m_pixels, m_layerPixels[0], m_layerPixels[1], m_layerPixels[2], m_layerPixels[3]};
    const uint32_t* tables[5] = {m_rowOffsets, m_layerRowOffsets[0], m_layerRowOffsets[1], m_layerRowOffsets[2],
                                 m_layerRowOffsets[3]};
    for (int i = 0; i < 5; ++i) {
        if (!sections[i])
            continue;
        // Layer 3 of alpha-blended rows holds the bare alpha bytes of layer 4's runs.
        if (format == kFrameRunLengthAlpha && i == 3)
            continue;
        if (!IsRunLengthBlockValid(sections[i], sizes[i], tables[i], m_height, m_width, valueBytes))
            return false;
    }
    // The alpha bytes and the colour runs they follow come together.
    if (format == kFrameRunLengthAlpha && (sections[3] || sections[4]))
        return sections[3] && sections[4] &&
               IsAlphaBlockValid(sections[4], tables[4], sections[3], sizes[3], tables[3], m_height, m_width,
                                 valueBytes);
    return true;
}
