#include "FrameSourceFile.h"

#include "ImageFrame.h"

#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"

#include <cstdlib>

namespace {

// The stand-alone frames' default JPEG quality, for pictures that may be stored lossy.
constexpr int kLossyQuality = 65;

} // namespace

CContentSet::Bytes EncodeFrameSourceFile(const CImage& image, bool lossless)
{
    const std::unique_ptr<CFrame> frame = MakeImageFrame(image);
    if (!frame)
        return {};
    CVirtualFile file;
    file.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    // The origin is the frame's left and top: the hot spot's position, negated.
    file.WriteU32(static_cast<uint32_t>(frame->GetLeft())).WriteU32(static_cast<uint32_t>(frame->GetTop()));
    if (!frame->WriteSourceImageBest(file, kLossyQuality, lossless))
        return {};
    const uint32_t size = file.GetSize();
    uint8_t* bytes = file.DetachBuffer();
    if (!bytes)
        return {};
    CContentSet::Bytes result(bytes, bytes + size);
    std::free(bytes);
    return result;
}
