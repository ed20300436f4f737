#include "graphics/OverlayDrawing.h"

#include "blit/Blitter.h"
#include "graphics/Frame.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <unordered_set>

namespace {

std::unordered_set<const CFrameInterface*>& RewrittenFrames()
{
    static std::unordered_set<const CFrameInterface*> s_frames;
    return s_frames;
}

int32_t Saturate(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int64_t Nearest(float v)
{
    return std::isfinite(v) ? static_cast<int64_t>(std::nearbyint(std::clamp(v, -4.0e9f, 4.0e9f))) : 0;
}

bool SameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// What a frame of the depth draws of the two colours is the same. An 8-bit frame draws the
// colour's palette index, which a colour looks up and keeps on first use: it is looked up here.
bool SameColor(const CColor& a, const CColor& b, uint32_t depth)
{
    if (a.GetRed() != b.GetRed() || a.GetGreen() != b.GetGreen() || a.GetBlue() != b.GetBlue() ||
        a.GetAlpha() != b.GetAlpha() || a.GetPixel16() != b.GetPixel16())
        return false;
    return depth != 8 || a.GetPaletteIndex() == b.GetPaletteIndex();
}

bool SamePixels(const CFrame* a, const CFrame* b)
{
    if (!a || !b)
        return a == b;
    if (a->GetWidth() != b->GetWidth() || a->GetHeight() != b->GetHeight() ||
        a->GetBitsPerPixel() != b->GetBitsPerPixel() || a->GetLeft() != b->GetLeft() || a->GetTop() != b->GetTop())
        return false;
    const size_t rowBytes = static_cast<size_t>(a->GetWidth()) * a->GetBytesPerPixel();
    for (uint32_t row = 0; row < a->GetHeight(); ++row) {
        const uint8_t* p = a->GetPixels() + static_cast<size_t>(a->GetRowOffsets()[row]) * a->GetBytesPerPixel();
        const uint8_t* q = b->GetPixels() + static_cast<size_t>(b->GetRowOffsets()[row]) * b->GetBytesPerPixel();
        if (std::memcmp(p, q, rowBytes) != 0)
            return false;
    }
    return true;
}

} // namespace

COverlayDrawing::COverlayDrawing() = default;
COverlayDrawing::~COverlayDrawing() = default;

void COverlayDrawing::NoteRewrittenWhileDrawing(const CFrameInterface* frame)
{
    if (frame)
        RewrittenFrames().insert(frame);
}

void COverlayDrawing::Begin(const CIntRect& bounds, uint32_t depth)
{
    m_bounds = bounds;
    m_depth = depth;
    m_current.clear();
    m_copies.clear();
}

COverlayDrawing::Command& COverlayDrawing::Add(Kind kind, const CIntRect& area)
{
    Command& command = m_current.emplace_back();
    command.kind = kind;
    command.area = area;
    if (!ClipRectToBounds(m_bounds, command.area))
        command.area = {};
    return command;
}

CFrame* COverlayDrawing::CopyOf(CFrameInterface* source)
{
    auto* frame = dynamic_cast<CFrame*>(source);
    // Only plain pixels are rewritten in place; anything else is drawn from itself.
    if (!frame || !frame->GetPixels() || (frame->GetFormatFlags() & kFrameRunLengthMask) != 0 ||
        !RewrittenFrames().count(source))
        return nullptr;
    auto copy = std::make_unique<CFrame>();
    copy->CopyFrom(frame);
    copy->SetFormatFlags(frame->GetFormatFlags());
    copy->SetOrigin(frame->GetLeft(), frame->GetTop());
    m_copies.push_back(std::move(copy));
    return m_copies.back().get();
}

void COverlayDrawing::RecordBlit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
                                 CBlitter* blitter)
{
    Command& command = Add(Kind::Blit, destinationRect);
    command.source = source;
    command.copy = CopyOf(source);
    command.sourceRect = sourceRect;
    command.rect = destinationRect;
    command.blitter = blitter;
    command.opacity = blitter ? blitter->GetOpacity() : 1.0f;
    const bool unscaled = sourceRect.GetWidth() == destinationRect.GetWidth() &&
                          sourceRect.GetHeight() == destinationRect.GetHeight();
    // 16-bit blends work in groups of pixels counted from where a run starts: cut elsewhere, a
    // pixel may fall in another group. Opaque plain pictures are copied pixel by pixel.
    const bool plainOpaque = source && (source->GetFormatFlags() & kFrameRunLengthMask) == 0 &&
                             source->GetBitsPerPixel() <= 16 && command.opacity == 1.0f;
    command.exact = unscaled && (m_depth != 16 || plainOpaque);
}

void COverlayDrawing::RecordClearRect(const CIntRect& rect)
{
    Add(Kind::ClearRect, rect).rect = rect;
}

void COverlayDrawing::RecordFillRect(const CIntRect& rect, const CColor& color)
{
    Command& command = Add(Kind::FillRect, rect);
    command.rect = rect;
    command.color = color;
}

void COverlayDrawing::RecordRemap(const CIntRect& rect, const CPaletteTable& table)
{
    Command& command = Add(Kind::Remap, rect);
    command.rect = rect;
    command.table = &table;
}

void COverlayDrawing::RecordLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color)
{
    Command& command = Add(Kind::Line, {std::min(x0, x1), std::min(y0, y1), Saturate(int64_t{std::max(x0, x1)} + 1),
                                        Saturate(int64_t{std::max(y0, y1)} + 1)});
    command.x0 = x0, command.y0 = y0, command.x1 = x1, command.y1 = y1;
    command.color = color;
    // A line along a row or a column keeps its pixels when cut; a slanted one may not.
    command.exact = x0 == x1 || y0 == y1;
}

void COverlayDrawing::RecordAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color)
{
    // The soft edge reaches a pixel past the end points.
    Command& command =
        Add(Kind::AntialiasedLine,
            {Saturate(Nearest(std::min(x0, x1)) - 1), Saturate(Nearest(std::min(y0, y1)) - 1),
             Saturate(Nearest(std::max(x0, x1) + 1) + 1), Saturate(Nearest(std::max(y0, y1) + 1) + 1)});
    command.fx0 = x0, command.fy0 = y0, command.fx1 = x1, command.fy1 = y1;
    command.color = color;
    command.exact = false;
}

void COverlayDrawing::RecordPixel(int32_t x, int32_t y, const CColor& color)
{
    Command& command = Add(Kind::Pixel, {x, y, Saturate(int64_t{x} + 1), Saturate(int64_t{y} + 1)});
    command.x0 = x, command.y0 = y;
    command.color = color;
}

bool COverlayDrawing::Same(const Command& a, const Command& b) const
{
    if (a.kind != b.kind || !(a.area == b.area))
        return false;
    switch (a.kind) {
    case Kind::Blit:
        return a.source == b.source && a.sourceRect == b.sourceRect && a.rect == b.rect && a.blitter == b.blitter &&
               SameBits(a.opacity, b.opacity) && (!a.copy == !b.copy) && (!a.copy || SamePixels(a.copy, b.copy));
    case Kind::ClearRect: return a.rect == b.rect;
    case Kind::FillRect: return a.rect == b.rect && SameColor(a.color, b.color, m_depth);
    case Kind::Remap: return a.rect == b.rect && a.table == b.table;
    case Kind::Line:
        return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1 && SameColor(a.color, b.color, m_depth);
    case Kind::AntialiasedLine:
        return SameBits(a.fx0, b.fx0) && SameBits(a.fy0, b.fy0) && SameBits(a.fx1, b.fx1) && SameBits(a.fy1, b.fy1) &&
               SameColor(a.color, b.color, m_depth);
    case Kind::Pixel: return a.x0 == b.x0 && a.y0 == b.y0 && SameColor(a.color, b.color, m_depth);
    }
    return false;
}

void COverlayDrawing::FindChanges(std::vector<CIntRect>& out) const
{
    const size_t oldCount = m_last.size(), newCount = m_current.size();
    size_t prefix = 0;
    while (prefix < oldCount && prefix < newCount && Same(m_last[prefix], m_current[prefix]))
        ++prefix;
    size_t suffix = 0;
    while (suffix < oldCount - prefix && suffix < newCount - prefix &&
           Same(m_last[oldCount - 1 - suffix], m_current[newCount - 1 - suffix]))
        ++suffix;
    // Lists of the same length changed call by call; otherwise everything between the common
    // ends changed.
    if (oldCount == newCount) {
        for (size_t i = prefix; i < oldCount - suffix; ++i)
            if (!Same(m_last[i], m_current[i])) {
                out.push_back(m_last[i].area);
                out.push_back(m_current[i].area);
            }
        return;
    }
    for (size_t i = prefix; i < oldCount - suffix; ++i)
        out.push_back(m_last[i].area);
    for (size_t i = prefix; i < newCount - suffix; ++i)
        out.push_back(m_current[i].area);
}

void COverlayDrawing::FindInexactAreas(std::vector<CIntRect>& out) const
{
    for (const Command& command : m_current)
        if (!command.exact && !command.area.IsEmpty())
            out.push_back(command.area);
}

CIntRect COverlayDrawing::Perform(CFrame& target, const Command& command, const CIntRect* region)
{
    CIntRect drawn = command.area;
    if (region && !ClipRectToBounds(*region, drawn))
        return {};
    switch (command.kind) {
    case Kind::Blit: {
        CIntRect from = command.sourceRect, to = command.rect;
        if (region && !ClipBlitRects(*region, from, to))
            return {};
        CBlitter* blitter = command.blitter;
        const float opacity = blitter ? blitter->GetOpacity() : 1.0f;
        if (blitter && !SameBits(opacity, command.opacity))
            blitter->SetOpacity(command.opacity);
        target.CFrame::BlitUnclipped(command.copy ? command.copy : command.source, from, to, blitter);
        if (blitter && !SameBits(opacity, command.opacity))
            blitter->SetOpacity(opacity);
        return region ? to : drawn;
    }
    case Kind::ClearRect: target.CFrame::ClearRect(drawn); return drawn;
    case Kind::FillRect: target.CFrame::FillRect(drawn, command.color); return drawn;
    case Kind::Remap: target.CFrame::ApplyRemapTableToRect(drawn, *command.table); return drawn;
    case Kind::Line: {
        int32_t x0 = command.x0, y0 = command.y0, x1 = command.x1, y1 = command.y1;
        if (region && !ClipLine(*region, x0, y0, x1, y1))
            return {};
        target.CFrame::DrawLine(x0, y0, x1, y1, command.color);
        return drawn;
    }
    case Kind::AntialiasedLine:
        target.CFrame::DrawAntialiasedLine(command.fx0, command.fy0, command.fx1, command.fy1, command.color);
        return drawn;
    case Kind::Pixel: target.CFrame::SetPixel(command.x0, command.y0, command.color); return drawn;
    }
    return {};
}

void COverlayDrawing::Finish()
{
    m_last.swap(m_current);
    m_lastCopies.swap(m_copies);
    m_current.clear();
    m_copies.clear();
}

void COverlayDrawing::Reset()
{
    m_current.clear();
    m_last.clear();
    m_copies.clear();
    m_lastCopies.clear();
}
