#pragma once
// A rectangle of whole pixels, of a page or of the desktop; right and bottom exclusive.
namespace platform {

struct PixelRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const PixelRect&) const = default;
};

} // namespace platform
