#include "ui/AlphaSkinBorder.h"

#include "blit/modes/CopyBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "graphics/Frame.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "graphics/OverlayDrawing.h"
#include "objects/ClassRecord.h"
#include "objects/FixedListChoiceProperty.h"
#include "ui/SkinChoice.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_CLASS_RECORD(CAlphaSkinBorder, CSkinBorder, 1.0f)

namespace {

constexpr uint32_t kRunLengthFlags = 0x6;  // run-length 8-bit (0x2) or 16-bit (0x4) frames

// Writes the pixels of the same-sized picture into every opaque pixel of a colour-keyed image (8-
// or 16-bit pixels) row by row, pitches in pixels; 0 is the key, so a picture pixel of 0 becomes 1.
template <class Pixel>
void TintOpaquePixels(Pixel* image, uint32_t imagePitch, const Pixel* picture, uint32_t picturePitch, uint32_t width,
                      uint32_t height)
{
    for (uint32_t y = 0; y < height; ++y) {
        Pixel* row = image + static_cast<size_t>(y) * imagePitch;
        const Pixel* source = picture + static_cast<size_t>(y) * picturePitch;
        for (uint32_t x = 0; x < width; ++x)
            if (row[x])
                row[x] = std::max<Pixel>(source[x], 1);
    }
}

// The colour bytes of every opaque pixel of a 32-bit corner (alpha not 0) from the same-sized
// picture, its alpha kept; a 24-bit corner, which has no transparent pixels, takes them all.
void TintOpaqueBytes(CFrame* image, const CFrame& picture, uint32_t bytes)
{
    for (uint32_t y = 0; y < image->GetHeight(); ++y) {
        uint8_t* row = image->GetPixels() + static_cast<size_t>(image->GetRowOffsets()[y]) * bytes;
        const uint8_t* source = picture.GetPixels() + static_cast<size_t>(picture.GetRowOffsets()[y]) * bytes;
        for (uint32_t x = 0; x < image->GetWidth(); ++x)
            if (bytes == 3 || row[x * bytes + 3] != 0)
                std::memcpy(row + x * bytes, source + x * bytes, 3);
    }
}

// Gives the corner image the texture's colours where it is opaque, the texture taken at
// (textureX, textureY); only plain corners can be written (run-length ones stay as they are).
void TintCorner(CFrame* corner, CFrame* texture, int32_t textureX, int32_t textureY)
{
    const uint32_t depth = corner ? corner->GetBitsPerPixel() : 0;
    if (!corner || !texture || (depth != 8 && depth != 16 && depth != 24 && depth != 32) ||
        (corner->GetFormatFlags() & kRunLengthFlags) || !corner->GetPixels())
        return;
    // The texture may be stored in any form the copy blend mode reads; a plain copy of the part
    // under the corner is taken first.
    CFrame under;
    under.Create(corner->GetWidth(), corner->GetHeight(), depth);
    if (!under.GetPixels())
        return;
    under.Clear();
    const CIntRect whole{0, 0, corner->GetWidth(), corner->GetHeight()};
    BlitWrappedTexture(&under, texture, whole, textureX, textureY, &g_copyBlitter);
    if (depth == 8)
        TintOpaquePixels(corner->GetPixels(), corner->GetPitch(), under.GetPixels(), under.GetPitch(),
                         corner->GetWidth(), corner->GetHeight());
    else if (depth == 16)
        TintOpaquePixels(reinterpret_cast<uint16_t*>(corner->GetPixels()), corner->GetPitch(),
                         reinterpret_cast<const uint16_t*>(under.GetPixels()), under.GetPitch(), corner->GetWidth(),
                         corner->GetHeight());
    else
        TintOpaqueBytes(corner, under, depth / 8);
    // Each window that shows the corner tints it anew: a kept overlay draws it from a copy.
    COverlayDrawing::NoteRewrittenWhileDrawing(corner);
}

// The image's area when its hot spot sits at (x, y).
CIntRect PlacedBounds(const CFrame* image, int32_t x, int32_t y)
{
    const int32_t left = x + image->GetLeft(), top = y + image->GetTop();
    return {left, top, left + image->GetWidth(), top + image->GetHeight()};
}

// Draws the image repeatedly from `from` to `to` along one axis, its hot spot on the other axis at
// `at`; the last copy is cut at `to`.
void TileAlong(CFrameInterface* frame, CFrame* image, bool horizontal, int32_t from, int32_t to, int32_t at)
{
    const int32_t length = horizontal ? image->GetWidth() : image->GetHeight();
    if (length <= 0)
        return;
    for (int32_t p = from; p < to; p += length) {
        const int32_t piece = std::min(length, to - p);
        const CIntRect source = horizontal ? CIntRect{0, 0, piece, image->GetHeight()}
                                           : CIntRect{0, 0, image->GetWidth(), piece};
        const CIntRect destination = horizontal
                                         ? CIntRect{p, at + image->GetTop(), p + piece, at + image->GetTop() + image->GetHeight()}
                                         : CIntRect{at + image->GetLeft(), p, at + image->GetLeft() + image->GetWidth(), p + piece};
        frame->Blit(image, source, destination, &g_transparentMaskBlitter);
    }
}

} // namespace

const CAlphaSkinBorder::Choice CAlphaSkinBorder::kCorners[kCornerCount] = {
    {"Top Left Alpha", &CAlphaSkinBorder::m_topLeftAlpha},
    {"Top Right Alpha", &CAlphaSkinBorder::m_topRightAlpha},
    {"Bottom Left Alpha", &CAlphaSkinBorder::m_bottomLeftAlpha},
    {"Bottom Right Alpha", &CAlphaSkinBorder::m_bottomRightAlpha},
};
const CAlphaSkinBorder::Choice CAlphaSkinBorder::kHighlights[kHighlightCount] = {
    {"Top Left Highlight", &CAlphaSkinBorder::m_topLeftHighlight},
    {"Top Center Highlight", &CAlphaSkinBorder::m_topCenterHighlight},
    {"Top Right Highlight", &CAlphaSkinBorder::m_topRightHighlight},
    {"Center Left Highlight", &CAlphaSkinBorder::m_centerLeftHighlight},
    {"Center Right Highlight", &CAlphaSkinBorder::m_centerRightHighlight},
    {"Bottom Left Highlight", &CAlphaSkinBorder::m_bottomLeftHighlight},
    {"Bottom Center Highlight", &CAlphaSkinBorder::m_bottomCenterHighlight},
    {"Bottom Right Highlight", &CAlphaSkinBorder::m_bottomRightHighlight},
    {"Special Top Right Highlight", &CAlphaSkinBorder::m_specialTopRightHighlight},
};

void CAlphaSkinBorder::AddProperties(CClassRecord* record)
{
    for (const Choice& choice : kCorners)
        record->AddProperty(
            new CFixedListChoiceProperty(choice.name, choice.member, skinchoice::GetImageList(), 1, nullptr));
    for (const Choice& choice : kHighlights)
        record->AddProperty(
            new CFixedListChoiceProperty(choice.name, choice.member, skinchoice::GetImageList(), 1, nullptr));
}

CAlphaSkinBorder::CAlphaSkinBorder()
{
    InitOwnProperties();
}

CAlphaSkinBorder::~CAlphaSkinBorder()
{
    DestroyOwnProperties();
}

CFrame* CAlphaSkinBorder::GetCornerImage(Corner corner) const
{
    return skinchoice::ResolveImage(this->*kCorners[corner].member);
}

CFrame* CAlphaSkinBorder::GetHighlightImage(Highlight highlight) const
{
    return skinchoice::ResolveImage(this->*kHighlights[highlight].member);
}

void CAlphaSkinBorder::DrawBody(CFrameInterface* frame, const CIntRect& rect)
{
    CFrame* texture = GetBackgroundTexture();
    const CIntPoint points[kCornerCount] = {{rect.m_left, rect.m_top},
                                           {rect.m_right, rect.m_top},
                                           {rect.m_left, rect.m_bottom},
                                           {rect.m_right, rect.m_bottom}};
    CIntRect areas[kCornerCount] = {};
    for (int32_t i = 0; i < kCornerCount; ++i) {
        CFrame* corner = GetCornerImage(static_cast<Corner>(i));
        if (!corner)
            continue;
        areas[i] = PlacedBounds(corner, points[i].m_x, points[i].m_y);
        TintCorner(corner, texture, areas[i].m_left - rect.m_left, areas[i].m_top - rect.m_top);
        frame->DrawFrameAt(corner, points[i].m_x, points[i].m_y, &g_transparentMaskBlitter);
    }
    // The bands between the corners and the middle take the texture at the same coordinates.
    const int32_t top = std::max({rect.m_top, areas[kTopLeft].m_bottom, areas[kTopRight].m_bottom});
    const int32_t bottom = std::min({rect.m_bottom, areas[kBottomLeft].IsEmpty() ? rect.m_bottom : areas[kBottomLeft].m_top,
                                     areas[kBottomRight].IsEmpty() ? rect.m_bottom : areas[kBottomRight].m_top});
    auto fill = [&](const CIntRect& area) {
        if (!area.IsEmpty())
            BlitSkinTexture(frame, texture, area, area.m_left - rect.m_left, area.m_top - rect.m_top);
    };
    const int32_t topLeftEnd = areas[kTopLeft].IsEmpty() ? rect.m_left : areas[kTopLeft].m_right;
    const int32_t topRightStart = areas[kTopRight].IsEmpty() ? rect.m_right : areas[kTopRight].m_left;
    const int32_t bottomLeftEnd = areas[kBottomLeft].IsEmpty() ? rect.m_left : areas[kBottomLeft].m_right;
    const int32_t bottomRightStart = areas[kBottomRight].IsEmpty() ? rect.m_right : areas[kBottomRight].m_left;
    fill({topLeftEnd, rect.m_top, topRightStart, top});
    fill({rect.m_left, top, rect.m_right, bottom});
    fill({bottomLeftEnd, bottom, bottomRightStart, rect.m_bottom});
}

void CAlphaSkinBorder::DrawEdges(CFrameInterface* frame, const CIntRect& rect, bool specialHighlight)
{
    // Highlights may stand out of the window: the clip is opened for them and given back after.
    auto* proxy = dynamic_cast<COffsetClippedProxyFrame*>(frame);
    const CIntRect savedClip = proxy ? proxy->GetClipRect() : CIntRect{};
    if (proxy)
        proxy->SetClipRect({-9999, -9999, 9999, 9999});
    CFrame* topRight = GetHighlightImage(kTopRightHighlight);
    if (CFrame* special = GetHighlightImage(kSpecialTopRightHighlight); specialHighlight && special)
        topRight = special;
    CFrame* corners[4] = {GetHighlightImage(kTopLeftHighlight), topRight, GetHighlightImage(kBottomLeftHighlight),
                          GetHighlightImage(kBottomRightHighlight)};
    const CIntPoint points[4] = {{rect.m_left, rect.m_top},
                                 {rect.m_right, rect.m_top},
                                 {rect.m_left, rect.m_bottom},
                                 {rect.m_right, rect.m_bottom}};
    CIntRect areas[4] = {};
    for (int32_t i = 0; i < 4; ++i)
        if (corners[i])
            areas[i] = PlacedBounds(corners[i], points[i].m_x, points[i].m_y);
    auto end = [&](int32_t i, bool horizontal, int32_t fallback) {
        if (!corners[i])
            return fallback;
        return horizontal ? (i % 2 ? areas[i].m_left : areas[i].m_right) : (i < 2 ? areas[i].m_bottom : areas[i].m_top);
    };
    if (CFrame* image = GetHighlightImage(kTopCenterHighlight))
        TileAlong(frame, image, true, end(0, true, rect.m_left), end(1, true, rect.m_right), rect.m_top);
    if (CFrame* image = GetHighlightImage(kBottomCenterHighlight))
        TileAlong(frame, image, true, end(2, true, rect.m_left), end(3, true, rect.m_right), rect.m_bottom);
    if (CFrame* image = GetHighlightImage(kCenterLeftHighlight))
        TileAlong(frame, image, false, end(0, false, rect.m_top), end(2, false, rect.m_bottom), rect.m_left);
    if (CFrame* image = GetHighlightImage(kCenterRightHighlight))
        TileAlong(frame, image, false, end(1, false, rect.m_top), end(3, false, rect.m_bottom), rect.m_right);
    for (int32_t i = 0; i < 4; ++i)
        if (corners[i])
            frame->DrawFrameAt(corners[i], points[i].m_x, points[i].m_y, &g_transparentMaskBlitter);
    if (proxy)
        proxy->SetTargetClipRect(savedClip);
}
