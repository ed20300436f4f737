// Reads arbitrary bytes as the depth cache of a sequence and of a font (the binary object form
// with the frames' blocks at the end). A cache that is taken must write back and read again to
// the same frame count; damaged ones are refused.
#include "FuzzSupport.h"
#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "graphics/Font.h"
#include "graphics/Sequence.h"

#include <cstdint>
#include <cstdlib>

namespace {

void ReadAs(CSequence& sequence, const uint8_t* data, size_t size)
{
    CVirtualFile input;
    fuzzsupport::OpenOver(input, data, size);
    if (!sequence.ReadBinary(input))
        return;
    CVirtualFile copy;
    copy.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    const uint32_t count = sequence.GetFrameCount();
    if (!sequence.WriteBinary(copy) || !copy.Seek(0) || !sequence.ReadBinary(copy) ||
        sequence.GetFrameCount() != count)
        std::abort();
    // Measuring walks every glyph a code can reach.
    if (auto* font = dynamic_cast<CFont*>(&sequence))
        (void)font->GetTextWidth("The quick brown fox\n\x01\xff");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    fuzzsupport::FatalScope fatal;
    try {
        CSequence sequence;
        ReadAs(sequence, data, size);
        CFont font;
        ReadAs(font, data, size);
    } catch (const fuzzsupport::FatalEnd&) {
        // A blit-type name the list lacks is a fatal report, not damage to skip.
    }
    return 0;
}
