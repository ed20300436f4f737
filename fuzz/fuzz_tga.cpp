// Decodes arbitrary bytes as a TGA file into frames of every depth. Whatever the bytes, the reader
// stays inside them; a packet past its row end ends in the reader's fatal message, never worse.
#include "FuzzSupport.h"
#include "graphics/Frame.h"
#include "graphics/PaletteTable.h"
#include "graphics/TgaImage.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    static CPaletteTable* s_palette = [] {
        auto* palette = new CPaletteTable;
        palette->Create(1);
        return palette;
    }();
    fuzzsupport::FatalScope fatal;
    CTgaHeader header;
    const bool accepted = ReadTgaHeader(data, static_cast<uint32_t>(size), header);
    for (uint32_t depth : {8u, 16u, 24u, 32u}) {
        CFrame frame;
        try {
            const bool read = ReadTga(frame, data, static_cast<uint32_t>(size), "fuzz.tga", s_palette, depth);
            if (read && (!accepted || frame.GetWidth() != header.m_width || frame.GetHeight() != header.m_height ||
                         frame.GetBitsPerPixel() != depth))
                std::abort();
        } catch (const fuzzsupport::FatalEnd&) {
        }
    }
    return 0;
}
