#include "objects/ArrayCount.h"

#include "foundation/VirtualFile.h"
#include "objects/NumberText.h"

#include <limits>

uint32_t GetBytesLeft(CVirtualFile& stream)
{
    int32_t position = stream.GetPosition();
    uint32_t size = stream.GetSize();
    if (position < 0 || static_cast<uint32_t>(position) >= size)
        return 0;
    return size - static_cast<uint32_t>(position);
}

uint32_t ParseAnnouncedCount(const char* text)
{
    const int64_t count = ParseLeadingInteger(text);
    constexpr uint32_t kLargest = std::numeric_limits<uint32_t>::max();
    if (count <= 0)
        return 0;
    return count > kLargest ? kLargest : static_cast<uint32_t>(count);
}
