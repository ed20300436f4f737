#include "objects/ArrayCount.h"

#include "foundation/VirtualFile.h"
#include "objects/NumberText.h"

#include <algorithm>

namespace {

constexpr uint32_t kMaxAnnouncedCount = 65536;

} // namespace

uint32_t GetBytesLeft(CVirtualFile& stream)
{
    int32_t position = stream.GetPosition();
    uint32_t size = stream.GetSize();
    if (position < 0 || static_cast<uint32_t>(position) >= size)
        return 0;
    return size - static_cast<uint32_t>(position);
}

uint32_t ParseAnnouncedCount(const char* text, CVirtualFile& stream)
{
    int64_t count = ParseLeadingInteger(text);
    if (count <= 0)
        return 0;
    uint32_t limit = std::max(kMaxAnnouncedCount, GetBytesLeft(stream));
    return count > limit ? limit : static_cast<uint32_t>(count);
}
