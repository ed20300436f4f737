#include "MuteImage.h"

#include "FrameSourceFile.h"

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 14;
constexpr Rgba kOutline{30, 30, 36, 255};
constexpr Rgba kBody{196, 200, 210, 255};
constexpr Rgba kCross{214, 36, 28, 255};

} // namespace

CImage PaintMuteImage()
{
    CImage image(kWidth, kHeight);
    // The speaker: a box and a cone opening to the right.
    for (int y = 4; y <= 9; ++y)
        for (int x = 1; x <= 4; ++x)
            image.SetPixel(x, y, x == 1 || y == 4 || y == 9 ? kOutline : kBody);
    for (int x = 5; x <= 9; ++x) {
        const int spread = x - 4;
        for (int y = 4 - spread; y <= 9 + spread; ++y)
            image.SetPixel(x, y, y == 4 - spread || y == 9 + spread || x == 9 ? kOutline : kBody);
    }
    // The cross, two pixels wide, over the whole picture.
    for (int i = 0; i < kHeight; ++i) {
        const int x = 1 + i;
        image.SetPixel(x, i, kCross);
        image.SetPixel(x + 1, i, kCross);
        image.SetPixel(kWidth - 2 - i, i, kCross);
        image.SetPixel(kWidth - 1 - i, i, kCross);
    }
    return image;
}

bool AddMuteImage(CContentSet& set, std::string& error)
{
    const CContentSet::Bytes bytes = EncodeFrameSourceFile(PaintMuteImage(), true);
    if (bytes.empty() || !set.AddEntry("Cache", "Resources/Mute.Frame", bytes)) {
        error = "cannot add the image Resources/Mute.Frame";
        return false;
    }
    return true;
}
