// CFont's glyph strips: one TGA holding every glyph side by side. In a proportional strip the
// bottom row and the first column carry guide pixels (any with alpha) instead of glyph pixels:
// the bottom row marks where each glyph after the first begins and where the last one ends; the
// first column marks the top line t within the upper half and, below it, the line base.
#include "blit/modes/CopyBlitter.h"
#include "foundation/FileSystem.h"
#include "foundation/OpenFlags.h"
#include "foundation/SharedString.h"
#include "foundation/VirtualFile.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/Frame.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/TgaImage.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

constexpr uint32_t kGuideValue = 0x1000000;

bool IsGuide(const CFrame& strip, int32_t x, int32_t y)
{
    return strip.GetRawPixel(x, y) >= kGuideValue;
}

// The last component of an item name: "Menus/Title" -> "Title".
CSharedString LastComponent(const char* name)
{
    CSharedString last;
    CSharedString(name ? name : "").SplitPath(nullptr, &last);
    return last;
}

// "<folder>/-<name>/<last component of name>.tga".
CSharedString StripFileName(const char* folder, const char* name)
{
    CSharedString path;
    path.SetToDashFolderFilePath(folder ? folder : "", name ? name : "", LastComponent(name).CStr(), ".tga");
    return path;
}

bool IsPlain32(const CFrame* frame)
{
    return frame && frame->GetPixels() && frame->GetBitsPerPixel() == 32 &&
           (frame->GetFormatFlags() & kFrameRunLengthMask) == 0;
}

} // namespace

bool CFont::LoadGlyphStrip(const char* folder, const char* name, const CFrameLoadStage* stages)
{
    CSharedString path;
    path.SetToJoinedPathWithSuffix(folder ? folder : "", name ? name : "", ".tga");
    if (!CFileSystem::FileExists(path.CStr(), 0))
        path = StripFileName(folder, name);
    CVirtualFile file;
    if (!file.Open(path.CStr(), VF_IN_MEMORY | VF_READ))
        return false;
    std::vector<uint8_t> bytes(file.GetSize());
    const bool read = bytes.empty() || file.Read(bytes.data(), static_cast<uint32_t>(bytes.size())) == bytes.size();
    file.Close();
    CFrame strip;
    if (!read || !ReadTga(strip, bytes.data(), static_cast<uint32_t>(bytes.size()), path.CStr(), nullptr, 32))
        return false;
    CFrameLoadStage list;
    GetLoadStages(list, stages);
    BuildGlyphsFromStrip(strip, &list);
    return true;
}

void CFont::BuildGlyphsFromStrip(CFrame& strip, CFrameLoadStage* stages)
{
    FreeFrames();
    const int32_t width = strip.GetWidth();
    const int32_t height = strip.GetHeight();
    const int32_t glyphs = GetGlyphCount();
    const int32_t cell = glyphs > 0 ? width / glyphs : 0;
    const bool fixed = IsFixedWidth();
    const int32_t glyphHeight = fixed ? height : std::max(height - 1, 0);

    int32_t top = 0;
    if (fixed) {
        m_lineBase = height;
    } else {
        for (int32_t row = 0; row < (height - 1) / 2; ++row)
            if (IsGuide(strip, 0, row)) {
                top = row;
                break;
            }
        m_lineBase = top + 1;
        while (m_lineBase < height - 1 && !IsGuide(strip, 0, m_lineBase))
            ++m_lineBase;
    }

    int32_t left = fixed ? 0 : 1;
    for (int32_t i = 0; i < glyphs; ++i) {
        auto* glyph = new CFrame;
        if (left < width - 1) {
            int32_t right = left + cell;
            if (!fixed) {
                // The scan starts one pixel after the guide that began this glyph.
                right = i == 0 ? left : left + 1;
                while (right < width && !IsGuide(strip, right, height - 1))
                    ++right;
            }
            glyph->CopyRectFrom(&strip, CIntRect{left, 0, right, glyphHeight});
            left = right;
        } else {
            glyph->Create(static_cast<uint32_t>(cell), static_cast<uint32_t>(glyphHeight), strip.GetBitsPerPixel());
        }
        if (stages)
            stages->ApplyAll(glyph);
        glyph->SetOrigin(glyph->GetLeft(), static_cast<int16_t>(-top));
        m_frames.push_back(glyph);
    }
    SyncFrameCount();
    RecomputeBounds();
}

bool CFont::SaveGlyphStrip(const char* folder, const char* name) const
{
    const int32_t glyphs = GetGlyphCount();
    if (glyphs == 0)
        return false;
    // Every glyph's rows relative to the pen: the strip's top line lies at the highest of them.
    int32_t highest = 0, lowest = 0, widest = 0, total = 0;
    for (int32_t i = 0; i < glyphs; ++i) {
        const CFrame* glyph = GetFrame(static_cast<uint32_t>(i));
        const int32_t glyphWidth = glyph ? glyph->GetWidth() : 0;
        if (glyphWidth > 0 && !IsPlain32(glyph))
            return false;
        if (!IsFixedWidth() && i > 0 && glyphWidth == 0)
            return false;
        if (glyphWidth > 0) {
            highest = std::min<int32_t>(highest, glyph->GetTop());
            lowest = std::max<int32_t>(lowest, glyph->GetTop() + glyph->GetHeight());
        }
        widest = std::max(widest, glyphWidth);
        total += glyphWidth;
    }
    const int32_t topLine = -highest;
    const int32_t lineBase = GetLineHeight() + topLine;
    int32_t stripWidth, rows;
    if (IsFixedWidth()) {
        // A fixed strip has no guides: its glyphs fill the cells from the top, the line base at
        // the bottom.
        if (topLine != 0 || lineBase < lowest)
            return false;
        stripWidth = widest * glyphs;
        rows = lineBase;
    } else {
        // The top line must lie in the upper half, above the line base.
        if (lineBase <= topLine)
            return false;
        stripWidth = total + 2;
        rows = std::max({lowest + topLine, lineBase, 2 * topLine + 2}) + 1;
    }
    CFrame strip;
    strip.Create(static_cast<uint32_t>(stripWidth), static_cast<uint32_t>(rows), 32);
    if (!strip.GetPixels())
        return false;
    CColor guide;
    guide.ConstructRgba(255, 0, 255, 255);
    int32_t x = IsFixedWidth() ? 0 : 1;
    for (int32_t i = 0; i < glyphs; ++i) {
        CFrame* glyph = GetFrame(static_cast<uint32_t>(i));
        if (!IsFixedWidth() && i > 0)
            strip.SetPixel(x, rows - 1, guide);
        if (glyph && glyph->GetWidth() > 0)
            strip.DrawFrameAt(glyph, x - glyph->GetLeft(), topLine, &g_copyBlitter);
        x += IsFixedWidth() ? widest : (glyph ? glyph->GetWidth() : 0);
    }
    if (!IsFixedWidth()) {
        strip.SetPixel(x, rows - 1, guide);
        strip.SetPixel(0, topLine, guide);
        if (lineBase < rows - 1)
            strip.SetPixel(0, lineBase, guide);
    }
    const CSharedString path = StripFileName(folder, name);
    return WriteTga(strip, path.CStr(), VF_MAKE_FOLDERS) && SaveProperties(folder, name);
}
