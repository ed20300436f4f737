// Loads arbitrary bytes as a TGA file the way frames load one: the file read through the virtual
// file system, decoded to 32 bits, then the frames' default stages (alpha threshold, crop,
// un-premultiply, run-length encoding and dithered conversion) for a display of 8, 16, 24 and 32
// bits. A frame that loads is no larger than its header says, has the display's depth (24 or 32
// bits on the deeper displays, which draw 24-bit frames), and draws onto a page of that depth
// through the sprites' default blend mode; a damaged file is refused or reported as corrupt.
//
// The seed corpus is made by the frames' TGA writer: run the corpus runner with
// VANTOREL_WRITE_SEEDS naming the folder (fuzz/corpus/fuzz_tga_load) and it writes the seeds there
// first.
#include "FuzzSupport.h"
#include "blit/BlitTypeList.h"
#include "blit/Blitter.h"
#include "blit/modes/CopyBlitter.h"
#include "graphics/Frame.h"
#include "graphics/ScreenMode.h"
#include "graphics/TgaImage.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using fuzzsupport::Check;

constexpr const char* kInput = "Input.tga";

// A 32-bit frame with transparent, translucent and opaque pixels, saved by the frames' writer.
void WriteSeed(const std::string& folder, const char* name, uint32_t w, uint32_t h, uint32_t depth)
{
    CFrame* source = fuzzsupport::NewFrame32(w, h, 0, 0, [](uint32_t x, uint32_t y) {
        const uint32_t alpha = (x + y) % 4 == 0 ? 0u : (x % 3 == 0 ? 0x80u : 0xFFu);
        return alpha << 24 | (x * 40 & 0xFF) << 16 | (y * 30 & 0xFF) << 8 | 0x20;
    });
    CFrame frame;
    frame.Create(w, h, depth);
    frame.DrawFrameAt(source, 0, 0, &g_copyBlitter);
    delete source;
    Check(frame.SaveTga("Seed.tga", 0));
    std::filesystem::copy_file("Seed.tga", folder + "/" + name, std::filesystem::copy_options::overwrite_existing);
}

void WriteSeeds(const std::string& folder)
{
    WriteSeed(folder, "alpha32.tga", 9, 7, 32);
    WriteSeed(folder, "opaque24.tga", 12, 5, 24);
    WriteSeed(folder, "one-pixel32.tga", 1, 1, 32);
    // A plain (uncompressed) 24-bit file, top row first, and one cut short in its pixels.
    std::string raw("\0\0\2\0\0\0\0\0\0\0\0\0\3\0\2\0\x18\x20", 18);
    for (int i = 0; i < 6; ++i)
        raw += std::string{static_cast<char>(i * 40), static_cast<char>(255 - i * 40), static_cast<char>(i * 9)};
    std::ofstream(folder + "/plain24.tga", std::ios::binary) << raw;
    std::ofstream(folder + "/plain24-cut.tga", std::ios::binary) << raw.substr(0, raw.size() - 4);
}

CBlitter* SpriteBlitter()
{
    static CBlitter* s_blitter = [] {
        CBlitTypeList& types = CBlitter::GetRegistry();
        return types.GetValue(static_cast<uint32_t>(types.FindIndexByName("Transparent Mask", 0)));
    }();
    return s_blitter;
}

void Load(const CTgaHeader& header, int32_t depth)
{
    SetDisplayBitsPerPixel(depth);
    CFrame frame;
    if (!frame.LoadTga(kInput, nullptr, nullptr, 0) || !frame.GetPixels())
        return;
    // Cropping only ever takes away.
    Check(frame.GetWidth() <= header.m_width && frame.GetHeight() <= header.m_height);
    const uint32_t bits = frame.GetBitsPerPixel();
    Check(bits == static_cast<uint32_t>(depth) || (depth >= 24 && (bits == 24 || bits == 32)));
    CFrame page;
    page.Create(48, 40, static_cast<uint32_t>(depth));
    for (int32_t at : {-7, 3, 30})
        page.DrawFrameAt(&frame, at, at / 2, SpriteBlitter());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsupport::PrepareOnce(&WriteSeeds);
    if (size > (1u << 20))
        return 0;
    fuzzsupport::WriteInput(kInput, data, size);
    CTgaHeader header;
    if (!ReadTgaHeader(data, static_cast<uint32_t>(size), header))
        header = CTgaHeader();
    fuzzsupport::FatalScope fatal;
    for (int32_t depth : {8, 16, 24, 32}) {
        try {
            Load(header, depth);
        } catch (const fuzzsupport::FatalEnd&) {
            // A run-length packet past its row's end is reported as a corrupt file.
        }
    }
    return 0;
}
