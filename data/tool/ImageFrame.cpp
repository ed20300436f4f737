#include "ImageFrame.h"

#include <cstring>

std::unique_ptr<CFrame> MakeImageFrame(const CImage& image)
{
    if (image.IsEmpty())
        return nullptr;
    auto frame = std::make_unique<CFrame>();
    frame->Create(static_cast<uint32_t>(image.GetWidth()), static_cast<uint32_t>(image.GetHeight()), 32);
    if (!frame->GetPixels())
        return nullptr;
    const size_t rowBytes = static_cast<size_t>(image.GetWidth()) * CImage::kBytesPerPixel;
    for (int y = 0; y < image.GetHeight(); ++y)
        std::memcpy(frame->GetPixels() + static_cast<size_t>(frame->GetRowOffsets()[y]) * CImage::kBytesPerPixel,
                    image.GetBytes().data() + rowBytes * y, rowBytes);
    frame->SetOrigin(static_cast<int16_t>(-image.GetHotSpotX()), static_cast<int16_t>(-image.GetHotSpotY()));
    return frame;
}
