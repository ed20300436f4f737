#include "RoundThumbnail.h"

#include "BrickContent.h"
#include "game/bricks/BackgroundCollection.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/BrickType.h"
#include "game/bricks/FloatingBrick.h"

#include <cstring>
#include <string>

namespace {

constexpr Rgba kFrame = {200, 160, 60, 255};

// Field pixels [from, to) as thumbnail pixels, at least one wide, with the last one left as the
// gap between neighbouring bricks when there is room.
void Span(int from, int to, int origin, int& first, int& last)
{
    first = (from - origin) / kRoundThumbnailScale;
    last = (to - 1 - origin) / kRoundThumbnailScale;
    if (last > first)
        --last;
    if (last < first)
        last = first;
}

// A brick centred on the field point.
void FillBlock(CImage& image, int centreX, int centreY, Rgba color)
{
    const int left = centreX - CBrickLayout::kCellWidth / 2, top = centreY - CBrickLayout::kCellHeight / 2;
    int x0, x1, y0, y1;
    Span(left, left + CBrickLayout::kCellWidth, kRoundThumbnailLeft, x0, x1);
    Span(top, top + CBrickLayout::kCellHeight, 0, y0, y1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            image.SetPixel(x, y, color);
}

// The type of the brick that palette entry lays; -1 for none (entry 0, past the palette, "!None"
// or a name that is not a brick type of the data set).
int TypeOfEntry(const CBrickLayout& layout, uint32_t entry)
{
    if (entry == 0 || entry >= layout.m_paletteCount)
        return -1;
    const char* name = CBrickInfoCollection::GetInstance().GetItemName(layout.m_palette[entry]);
    const std::vector<std::string> names = GetBrickContentNames();
    for (size_t i = 1; name && i < names.size(); ++i)
        if (names[i] == name)
            return static_cast<int>(i - 1);
    return -1;
}

} // namespace

Rgba GetThumbnailBrickColor(uint32_t type)
{
    static const Rgba kColors[kBrickTypeCount] = {
        {80, 140, 230, 255},  {90, 210, 110, 255},  {150, 150, 160, 255}, {120, 120, 130, 255},
        {120, 120, 130, 255}, {120, 120, 130, 255}, {235, 70, 50, 255},   {235, 190, 60, 255},
        {235, 190, 60, 255},  {235, 190, 60, 255},  {200, 110, 230, 255}, {200, 110, 230, 255},
        {255, 130, 40, 255},  {70, 220, 220, 255},  {170, 200, 255, 255}, {170, 200, 255, 255},
        {170, 200, 255, 255}, {170, 200, 255, 255}, {230, 60, 150, 255},  {240, 240, 240, 255}};
    return type < kBrickTypeCount ? kColors[type] : Rgba{128, 128, 128, 255};
}

Rgba GetThumbnailGroundColor(const char* background)
{
    if (background && std::strcmp(background, "Space") == 0)
        return {12, 14, 40, 255};
    if (background && std::strcmp(background, "Deep Sea") == 0)
        return {10, 46, 80, 255};
    return {0, 0, 0, 255};
}

CImage PaintRoundThumbnail(const CBrickLayout& layout)
{
    CImage image(kRoundThumbnailWidth, kRoundThumbnailHeight);
    image.Fill(GetThumbnailGroundColor(CBackgroundCollection::GetInstance().GetItemName(layout.m_backgroundType)));
    // Bricks lie at their centres: grid cells where GetCellPosition says, floating ones at theirs.
    for (uint32_t row = 0; row < CBrickLayout::kRows; ++row)
        for (uint32_t column = 0; column < CBrickLayout::kColumns; ++column) {
            const int type = TypeOfEntry(layout, layout.GetCell(column, row));
            if (type < 0)
                continue;
            const CIntPoint cell = layout.GetCellPosition(column, row);
            FillBlock(image, cell.m_x, cell.m_y, GetThumbnailBrickColor(static_cast<uint32_t>(type)));
        }
    for (uint32_t i = 0; i < layout.m_floatingCount; ++i) {
        const int type = TypeOfEntry(layout, layout.m_floating[i]->m_paletteIndex);
        if (type < 0)
            continue;
        const CFloatPoint centre = layout.m_floating[i]->GetPosition();
        FillBlock(image, static_cast<int>(centre.m_x), static_cast<int>(centre.m_y),
                  GetThumbnailBrickColor(static_cast<uint32_t>(type)));
    }
    for (int x = 0; x < kRoundThumbnailWidth; ++x) {
        image.SetPixel(x, 0, kFrame);
        image.SetPixel(x, kRoundThumbnailHeight - 1, kFrame);
    }
    for (int y = 0; y < kRoundThumbnailHeight; ++y) {
        image.SetPixel(0, y, kFrame);
        image.SetPixel(kRoundThumbnailWidth - 1, y, kFrame);
    }
    // Rounded corners.
    for (int x : {0, kRoundThumbnailWidth - 1})
        for (int y : {0, kRoundThumbnailHeight - 1})
            image.SetPixel(x, y, Rgba{0, 0, 0, 0});
    return image;
}
