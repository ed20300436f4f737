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
        for (int x = 1; x <= 3; ++x)
            image.SetPixel(x, y, x == 1 || y == 4 || y == 9 ? kOutline : kBody);
    for (int x = 4; x <= 7; ++x) {
        const int spread = x - 3;
        for (int y = 4 - spread; y <= 9 + spread; ++y)
            image.SetPixel(x, y, y == 4 - spread || y == 9 + spread || x == 7 ? kOutline : kBody);
    }
    // A small cross beside the cone, where its sound would go. The speaker itself stays whole, so
    // the picture reads as what the button does; whether it is done shows in the button's face.
    for (int i = 0; i < 6; ++i) {
        image.SetPixel(9 + i, 4 + i, kCross);
        image.SetPixel(10 + i, 4 + i, kCross);
        image.SetPixel(14 - i, 4 + i, kCross);
        image.SetPixel(15 - i, 4 + i, kCross);
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
