#include "ListIcons.h"

#include "FrameSourceFile.h"

namespace {

constexpr int kSize = 12;
constexpr Rgba kOutline{40, 34, 18, 255};
constexpr Rgba kFolder{222, 178, 72, 255};
constexpr Rgba kFolderShade{176, 132, 44, 255};
constexpr Rgba kPaper{236, 238, 242, 255};
constexpr Rgba kLines{120, 132, 156, 255};

void FillBox(CImage& image, int left, int top, int right, int bottom, Rgba fill)
{
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const bool edge = x == left || x == right || y == top || y == bottom;
            image.SetPixel(x, y, edge ? kOutline : fill);
        }
}

// A folder with its tab; open, its front flap leans forward and shows the darker inside.
CImage PaintFolder(bool open)
{
    CImage image(kSize, kSize);
    FillBox(image, 0, 1, 4, 3, kFolder);
    FillBox(image, 0, 2, 11, 10, open ? kFolderShade : kFolder);
    if (open)
        for (int y = 5; y <= 10; ++y)
            for (int x = 2 - (y - 5) / 3; x <= 11; ++x) {
                const bool edge = y == 5 || y == 10 || x == 2 - (y - 5) / 3 || x == 11;
                image.SetPixel(x, y, edge ? kOutline : kFolder);
            }
    return image;
}

// A sheet of paper with a folded corner and a few lines of text.
CImage PaintFile()
{
    CImage image(kSize, kSize);
    FillBox(image, 2, 0, 9, 11, kPaper);
    for (int i = 0; i < 3; ++i) {
        image.SetPixel(9 - i, i, Rgba{0, 0, 0, 0});
        image.SetPixel(7 + i, 2, kOutline);
        image.SetPixel(7, i, kOutline);
    }
    for (int y = 4; y <= 9; y += 2)
        for (int x = 4; x <= 7; ++x)
            image.SetPixel(x, y, kLines);
    return image;
}

} // namespace

std::vector<ListIcon> PaintListIcons()
{
    std::vector<ListIcon> icons;
    icons.push_back({"Folder Open Icon", PaintFolder(true)});
    icons.push_back({"Folder Closed Icon", PaintFolder(false)});
    icons.push_back({"File Icon", PaintFile()});
    return icons;
}

bool AddListIcons(CContentSet& set, std::string& error)
{
    for (const ListIcon& icon : PaintListIcons()) {
        const std::string entry = std::string("Resources/") + icon.name + ".Frame";
        const CContentSet::Bytes bytes = EncodeFrameSourceFile(icon.image, true);
        if (bytes.empty() || !set.AddEntry("Cache", entry, bytes)) {
            error = "cannot add the icon " + entry;
            return false;
        }
    }
    return true;
}
