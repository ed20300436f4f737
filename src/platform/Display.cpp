#include "platform/Display.h"

namespace platform {

int BytesPerPixel(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 8: return 1;
    case 16: return 2;
    case 24: return 3;
    case 32: return 4;
    default: return 0;
    }
}

} // namespace platform
