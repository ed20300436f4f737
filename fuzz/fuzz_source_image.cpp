// Reads arbitrary bytes as a source image record (a zlib or JPEG-coded 32-bit image). An image
// that is taken then goes through run-length encoding and conversion for a 16-bit and an 8-bit
// display, as a freshly loaded image does; damaged records are refused.
#include "FuzzSupport.h"
#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "graphics/Frame.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/stages/DepthConvertStage.h"
#include "graphics/stages/RunLengthEncodeStage.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    fuzzsupport::FatalScope fatal;
    CVirtualFile input;
    fuzzsupport::OpenOver(input, data, size);
    CFrame frame;
    if (frame.ReadSourceImage(input) && frame.GetPixels()) {
        if (frame.GetBitsPerPixel() != 32)
            std::abort();
        if (static_cast<uint32_t>(frame.GetWidth()) * frame.GetHeight() <= 4096) {
            for (uint32_t mode : {CRunLengthEncodeStage::kTwoBands, CRunLengthEncodeStage::kFiveBands}) {
                CFrame copy;
                copy.CopyFrom(&frame);
                CFrameLoadStage list;
                list.SetPreferredDepth(mode == CRunLengthEncodeStage::kTwoBands ? 16 : 8);
                list.InsertStage(new CRunLengthEncodeStage(mode));
                list.InsertStage(new CDepthConvertStage(true, list.GetPreferredDepth()));
                list.ApplyAll(&copy);
                CVirtualFile block;
                block.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
                CFrame back;
                if (copy.WriteFrameBlock(block) && (!block.Seek(0) || !back.ReadFrameBlock(block)))
                    std::abort(); // what the stages make must pass the block reader's checks
            }
        }
    }
    return 0;
}
