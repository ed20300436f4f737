// Reads arbitrary bytes as a frame block (the cached form of a frame). A block that is taken must
// answer every pixel query from inside its sections and write back to the same bytes; damaged
// blocks are refused, and oversized sections end in the reader's fatal message.
#include "FuzzSupport.h"
#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "graphics/Color.h"
#include "graphics/Frame.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> Contents(CVirtualFile& file)
{
    std::vector<uint8_t> bytes(file.GetSize());
    file.Seek(0);
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    fuzzsupport::FatalScope fatal;
    try {
        CVirtualFile input;
        fuzzsupport::OpenOver(input, data, size);
        CFrame frame;
        if (frame.ReadFrameBlock(input)) {
            const int32_t consumed = input.GetPosition();
            CColor color;
            for (int32_t y = frame.GetTop() - 1; y <= frame.GetTop() + frame.GetHeight() && y - frame.GetTop() < 64; ++y)
                for (int32_t x = frame.GetLeft() - 1; x <= frame.GetLeft() + frame.GetWidth() && x - frame.GetLeft() < 64;
                     ++x) {
                    frame.GetPixelColor(x, y, color);
                    frame.GetRawPixel(x, y);
                }
            CVirtualFile output;
            output.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
            if (!frame.WriteFrameBlock(output))
                std::abort();
            const std::vector<uint8_t> written = Contents(output);
            // Only the bits-per-pixel byte (written from the flags) and the reserved bytes differ.
            if (written.size() != static_cast<size_t>(consumed))
                std::abort();
            for (size_t i = 0; i < written.size(); ++i)
                if (written[i] != data[i] && i != 1 && i != 10 && i != 11)
                    std::abort();
        }
    } catch (const fuzzsupport::FatalEnd&) {
    }
    return 0;
}
