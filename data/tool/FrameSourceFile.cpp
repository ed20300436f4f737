#include "FrameSourceFile.h"

#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "graphics/Frame.h"

#include <cstdlib>
#include <cstring>

namespace {

// The stand-alone frames' default JPEG quality, for pictures that may be stored lossy.
constexpr int kLossyQuality = 65;

} // namespace

CContentSet::Bytes EncodeFrameSourceFile(const CImage& image, bool lossless)
{
    if (image.IsEmpty())
        return {};
    // The picture is already in the 32-bit frame's byte order; only the rows are laid out anew.
    CFrame frame;
    frame.Create(image.GetWidth(), image.GetHeight(), 32);
    if (!frame.GetPixels())
        return {};
    const size_t rowBytes = static_cast<size_t>(image.GetWidth()) * CImage::kBytesPerPixel;
    for (int y = 0; y < image.GetHeight(); ++y)
        std::memcpy(frame.GetPixels() + static_cast<size_t>(frame.GetRowOffsets()[y]) * CImage::kBytesPerPixel,
                    image.GetBytes().data() + rowBytes * y, rowBytes);

    CVirtualFile file;
    file.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    // The origin is the frame's left and top: the hot spot's position, negated.
    file.WriteU32(static_cast<uint32_t>(-image.GetHotSpotX())).WriteU32(static_cast<uint32_t>(-image.GetHotSpotY()));
    if (!frame.WriteSourceImageBest(file, kLossyQuality, lossless))
        return {};
    const uint32_t size = file.GetSize();
    uint8_t* bytes = file.DetachBuffer();
    if (!bytes)
        return {};
    CContentSet::Bytes result(bytes, bytes + size);
    std::free(bytes);
    return result;
}
