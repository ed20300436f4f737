#include "graphics/Frame.h"

#include "blit/Blitter.h"
#include "blit/ColorPacking.h"
#include "blit/modes/CopyBlitter.h"
#include "foundation/VirtualFile.h"
#include "graphics/AntialiasedLine.h"
#include "graphics/Color.h"
#include "graphics/PaletteHolder.h"
#include "graphics/RunLengthRows.h"
#include "objects/ObjectPointerProperty.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

IMPLEMENT_CLASS_RECORD(CFrame, CFrameInterface, 2.0f)

void CFrame::AddProperties(CClassRecord*)
{
}

namespace {

bool s_frameCompressionEnabled = true;

// Registers the "Palette" property with the class at start-up.
CStaticRegistrar s_paletteRegistrar([] { CFrame::GetPaletteProperty(); });

int32_t Saturate(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

void OffsetSaturated(CIntRect& rect, int64_t dx, int64_t dy)
{
    rect.Set(Saturate(rect.m_left + dx), Saturate(rect.m_top + dy), Saturate(rect.m_right + dx),
             Saturate(rect.m_bottom + dy));
}

uint8_t Log2Floor(uint32_t value)
{
    return value <= 1 ? 0 : static_cast<uint8_t>(std::bit_width(value) - 1);
}

uint32_t BytesForDepth(uint32_t depth)
{
    switch (depth) {
    case 8: return 1;
    case 16: return 2;
    case 24: return 3;
    case 32: return 4;
    default: return 0;
    }
}

uint32_t DepthFlagFor(uint32_t depth)
{
    switch (depth) {
    case 8: return kFrameDepth8;
    case 16: return kFrameDepth16;
    case 24: return kFrameDepth24;
    case 32: return kFrameDepth32;
    default: return 0;
    }
}

void Store16(uint8_t* at, uint16_t value)
{
    std::memcpy(at, &value, 2);
}

uint16_t Load16(const uint8_t* at)
{
    uint16_t value;
    std::memcpy(&value, at, 2);
    return value;
}

// The colour of a run-length payload value of 2 (5-6-5), 3 (B, G, R) or 4 (B, G, R, A) bytes.
void ColorOfValue(const uint8_t* value, uint32_t valueBytes, uint8_t alpha, CColor& out)
{
    if (valueBytes == 2) {
        uint16_t v = Load16(value);
        const uint32_t bytes = Expand565(v);
        out.ConstructRgba(static_cast<uint8_t>(bytes >> 16), static_cast<uint8_t>(bytes >> 8),
                          static_cast<uint8_t>(bytes), alpha);
    } else {
        out.ConstructRgba(value[2], value[1], value[0], alpha);
    }
}

} // namespace

void SetFrameCompressionEnabled(bool enabled)
{
    s_frameCompressionEnabled = enabled;
}

bool IsFrameCompressionEnabled()
{
    return s_frameCompressionEnabled;
}

CObjectPointerProperty* CFrame::GetPaletteProperty()
{
    static CObjectPointerProperty* s_property = [] {
        auto* property = new CObjectPointerProperty("Palette", 0, sizeof(CObject*), 0,
                                                    CPaletteHolder::GetStaticClassRecord(), nullptr, nullptr);
        CFrame::GetStaticClassRecord()->AddDynamicPropertyToHierarchy(property);
        return property;
    }();
    return s_property;
}

CFrame::CFrame()
{
    m_asFrame = this;
    InitOwnProperties();
}

CFrame::~CFrame()
{
    DropPalette();
    FreePixels();
    DestroyOwnProperties();
}

uint32_t CFrame::GetBitsPerPixel() const
{
    if (m_formatFlags & kFrameDepth8)
        return 8;
    if (m_formatFlags & kFrameDepth16)
        return 16;
    if (m_formatFlags & kFrameDepth24)
        return 24;
    if (m_formatFlags & kFrameDepth32)
        return 32;
    return 0;
}

uint32_t CFrame::GetBytesPerPixel() const
{
    return GetBitsPerPixel() / 8;
}

void CFrame::GetBounds(CIntRect& out) const
{
    out.Set(m_left, m_top, m_left + m_width, m_top + m_height);
}

bool CFrame::ToPixel(int32_t x, int32_t y, uint32_t& column, uint32_t& row) const
{
    int64_t c = static_cast<int64_t>(x) - m_left;
    int64_t r = static_cast<int64_t>(y) - m_top;
    if (c < 0 || r < 0 || c >= m_width || r >= m_height)
        return false;
    column = static_cast<uint32_t>(c);
    row = static_cast<uint32_t>(r);
    return true;
}

bool CFrame::ClipToPixels(const CIntRect& rect, CIntRect& pixels) const
{
    CIntRect bounds;
    GetBounds(bounds);
    pixels = rect;
    // An inverted rectangle inside the bounds survives the clip; it draws nothing.
    if (!ClipRectToBounds(bounds, pixels) || pixels.IsEmpty())
        return false;
    pixels.Offset(-m_left, -m_top);
    return true;
}

bool CFrame::Blit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
                  CBlitter* blitter)
{
    if (!m_pixels || !source)
        return false;
    // The source's extent, read from its fields when it is a CFrame.
    const CFrame* plain = source->AsFrame();
    const int64_t sourceLeft = plain ? plain->GetLeft() : source->GetLeft();
    const int64_t sourceTop = plain ? plain->GetTop() : source->GetTop();
    const int64_t sourceWidth = plain ? plain->GetWidth() : source->GetWidth();
    const int64_t sourceHeight = plain ? plain->GetHeight() : source->GetHeight();
    const int64_t fromLeft = sourceRect.m_left - sourceLeft, fromTop = sourceRect.m_top - sourceTop;
    const int64_t fromRight = sourceRect.m_right - sourceLeft, fromBottom = sourceRect.m_bottom - sourceTop;
    CIntRect bounds;
    GetBounds(bounds);
    // Most blits lie inside both frames and need no clipping.
    const bool inside = fromLeft >= 0 && fromTop >= 0 && fromRight <= sourceWidth && fromBottom <= sourceHeight &&
                        destinationRect.m_left >= bounds.m_left &&
                        destinationRect.m_top >= bounds.m_top && destinationRect.m_right <= bounds.m_right &&
                        destinationRect.m_bottom <= bounds.m_bottom;
    if (inside) {
        if (fromRight <= fromLeft || fromBottom <= fromTop || destinationRect.IsEmpty())
            return false;
        const CIntRect from{static_cast<int32_t>(fromLeft), static_cast<int32_t>(fromTop),
                            static_cast<int32_t>(fromRight), static_cast<int32_t>(fromBottom)};
        const CIntRect to{destinationRect.m_left - m_left, destinationRect.m_top - m_top,
                          destinationRect.m_right - m_left, destinationRect.m_bottom - m_top};
        return BlitUnclipped(source, from, to, blitter);
    }
    CIntRect from = sourceRect;
    OffsetSaturated(from, -sourceLeft, -sourceTop);
    CIntRect to = destinationRect;
    // A source rectangle reaching past the source would have the routine read outside its memory.
    const CIntRect sourcePixels{0, 0, static_cast<int32_t>(sourceWidth), static_cast<int32_t>(sourceHeight)};
    if (!ClipBlitRects(sourcePixels, to, from) || !ClipBlitRects(bounds, from, to) || to.IsEmpty() || from.IsEmpty())
        return false;
    to.Offset(-m_left, -m_top);
    return BlitUnclipped(source, from, to, blitter);
}

bool CFrame::BlitUnclipped(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
                           CBlitter* blitter)
{
    if (!blitter)
        return false;
    BlitRoutine routine = blitter->FindRoutine(source, this);
    if (!routine)
        return false;
    routine(source, &sourceRect, this, &destinationRect, blitter);
    return true;
}

void CFrame::ClearRect(const CIntRect& rect)
{
    uint32_t bytes = GetBytesPerPixel();
    if (!HasPlainPixels() || bytes == 0)
        return;
    CIntRect clipped;
    if (!ClipToPixels(rect, clipped))
        return;
    size_t rowBytes = static_cast<size_t>(clipped.GetWidth()) * bytes;
    for (int32_t row = clipped.m_top; row < clipped.m_bottom; ++row)
        FillBytes(PixelAddress(clipped.m_left, row), 0, rowBytes);
}

void CFrame::Clear()
{
    uint32_t bytes = GetBytesPerPixel();
    if (!HasPlainPixels() || bytes == 0)
        return;
    FillBytes(m_pixels, 0, static_cast<size_t>(GetPitch()) * m_height * bytes);
}

void CFrame::FillWithByte(uint8_t value)
{
    uint32_t bytes = GetBytesPerPixel();
    if (!HasPlainPixels() || bytes == 0)
        return;
    for (uint32_t row = 0; row < m_height; ++row)
        FillBytes(PixelAddress(0, row), value * 0x01010101u, static_cast<size_t>(bytes) * m_width);
}

void CFrame::DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color)
{
    uint32_t depth = GetBitsPerPixel();
    if (!HasPlainPixels() || (depth != 8 && depth != 16 && depth != 24 && depth != 32))
        return;
    CIntRect bounds;
    GetBounds(bounds);
    if (!ClipLine(bounds, x0, y0, x1, y1))
        return;
    x0 -= m_left;
    x1 -= m_left;
    y0 -= m_top;
    y1 -= m_top;

    uint8_t index = depth == 8 ? color.GetPaletteIndex() : 0;
    uint16_t pixel16 = color.GetPixel16();
    const uint8_t* pixel24 = color.GetPixel24();
    auto plot = [&](int32_t x, int32_t y) {
        uint8_t* at = PixelAddress(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
        if (depth == 8)
            *at = index;
        else if (depth == 16)
            Store16(at, pixel16);
        else
            std::memcpy(at, pixel24, 3);
        if (depth == 32)
            at[3] = 0xFF;
    };

    int32_t dx = std::abs(x1 - x0);
    int32_t dy = std::abs(y1 - y0);
    int32_t sx = x1 >= x0 ? 1 : -1;
    int32_t sy = y1 >= y0 ? 1 : -1;
    int32_t x = x0, y = y0;
    plot(x, y);
    if (dx < dy) {
        int32_t error = dy >> 1;
        while (y != y1) {
            error += dx;
            if (error >= dy) {
                error -= dy;
                x += sx;
            }
            y += sy;
            plot(x, y);
        }
    } else {
        int32_t error = dx >> 1;
        while (x != x1) {
            error += dy;
            if (error >= dx) {
                error -= dx;
                y += sy;
            }
            x += sx;
            plot(x, y);
        }
    }
}

void CFrame::DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color)
{
    DrawAntialiasedLineOnFrame(*this, x0, y0, x1, y1, color);
}

void CFrame::SetPixel(int32_t x, int32_t y, const CColor& color)
{
    uint32_t column, row;
    if (!HasPlainPixels() || !ToPixel(x, y, column, row))
        return;
    uint8_t* at = PixelAddress(column, row);
    switch (GetBitsPerPixel()) {
    case 8:
        *at = color.GetPaletteIndex();
        break;
    case 16:
        Store16(at, color.GetPixel16());
        break;
    case 24:
        std::memcpy(at, color.GetPixel24(), 3);
        break;
    case 32: {
        uint32_t value = color.GetPixel32();
        std::memcpy(at, &value, 4);
        break;
    }
    default:
        break;
    }
}

uint8_t CFrame::GetRunLengthValue8(uint32_t column, uint32_t row, bool& covered) const
{
    covered = false;
    const uint8_t* blocks[5] = {m_pixels, m_layerPixels[3], m_layerPixels[2], m_layerPixels[1], m_layerPixels[0]};
    const uint32_t* tables[5] = {m_rowOffsets, m_layerRowOffsets[3], m_layerRowOffsets[2], m_layerRowOffsets[1],
                                 m_layerRowOffsets[0]};
    for (int i = 0; i < 5; ++i) {
        RunLengthLookup hit = FindRunLengthPixel(blocks[i], tables[i], row, m_width, column, 1);
        if (!hit.m_covered)
            continue;
        covered = true;
        if (*hit.m_value != 0)
            return *hit.m_value;
    }
    return 0;
}

bool CFrame::GetPixelColor(int32_t x, int32_t y, CColor& out) const
{
    uint32_t column, row;
    if (!m_pixels || !m_rowOffsets || !ToPixel(x, y, column, row)) {
        out.ConstructRgba(0, 0, 0, 0);
        return false;
    }
    uint32_t runLength = m_formatFlags & kFrameRunLengthMask;
    if (runLength == 0) {
        const uint8_t* at = PixelAddress(column, row);
        switch (GetBitsPerPixel()) {
        case 8:
            out.SetFromPaletteIndex(*at);
            break;
        case 16:
            ColorOfValue(at, 2, 255, out);
            break;
        case 24:
            out.ConstructRgba(at[2], at[1], at[0], 255);
            break;
        case 32:
            out.ConstructRgba(at[2], at[1], at[0], at[3]);
            break;
        default:
            out.ConstructRgba(0, 0, 0, 0);
            break;
        }
        return true;
    }
    if (runLength == kFrameRunLength8) {
        bool covered;
        out.SetFromPaletteIndex(GetRunLengthValue8(column, row, covered));
        return true;
    }
    // Alpha-blended rows: 5-6-5 payloads on 8-bit and 16-bit frames, else the frame's own depth.
    uint32_t depth = GetBitsPerPixel();
    uint32_t valueBytes = depth <= 16 ? 2 : depth / 8;
    RunLengthLookup main = FindRunLengthPixel(m_pixels, m_rowOffsets, row, m_width, column, valueBytes);
    if (main.m_covered) {
        ColorOfValue(main.m_value, valueBytes, 255, out);
        return true;
    }
    if (m_layerPixels[2] && m_layerPixels[3]) {
        RunLengthLookup translucent =
            FindRunLengthPixel(m_layerPixels[3], m_layerRowOffsets[3], row, m_width, column, valueBytes);
        if (translucent.m_covered) {
            uint8_t alpha = 0;
            if (valueBytes == 4)
                alpha = translucent.m_value[3];
            else
                FindRunLengthAlpha(m_layerPixels[3], m_layerRowOffsets[3], m_layerPixels[2], m_layerRowOffsets[2], row,
                                   m_width, column, valueBytes, alpha);
            ColorOfValue(translucent.m_value, valueBytes, alpha, out);
            return true;
        }
    }
    out.ConstructRgba(0, 0, 0, 0);
    return true;
}

uint32_t CFrame::GetRawPixel(int32_t x, int32_t y) const
{
    uint32_t column, row;
    if (!m_pixels || !m_rowOffsets || !ToPixel(x, y, column, row))
        return 0;
    uint32_t runLength = m_formatFlags & kFrameRunLengthMask;
    if (runLength == 0) {
        const uint8_t* at = PixelAddress(column, row);
        switch (GetBitsPerPixel()) {
        case 8: return *at;
        case 16: return Load16(at);
        case 24: return at[0] + at[1] * 256u + at[2] * 65536u;
        case 32: {
            uint32_t value;
            std::memcpy(&value, at, 4);
            return value;
        }
        default: return 0;
        }
    }
    if (runLength == kFrameRunLength8) {
        bool covered;
        GetRunLengthValue8(column, row, covered);
        return covered ? 0xFFFFFFFFu : 0;
    }
    uint32_t depth = GetBitsPerPixel();
    uint32_t valueBytes = depth <= 16 ? 2 : depth / 8;
    if (FindRunLengthPixel(m_pixels, m_rowOffsets, row, m_width, column, valueBytes).m_covered ||
        FindRunLengthPixel(m_layerPixels[3], m_layerRowOffsets[3], row, m_width, column, valueBytes).m_covered)
        return 0xFFFFFFFFu;
    return 0;
}

bool CFrame::IsPixelOpaque(int32_t x, int32_t y) const
{
    return GetRawPixel(x, y) != 0;
}

CPaletteTable* CFrame::GetPalette()
{
    CObjectPointerProperty* property = GetPaletteProperty();
    auto* holder = static_cast<CPaletteHolder*>(property->GetDynamicObject(this));
    if (!holder) {
        holder = new CPaletteHolder;
        property->SetDynamicObject(this, holder);
    }
    return &holder->GetTable();
}

uint32_t CFrame::GetObjectSize() const
{
    uint64_t size = GetClassRecord()->GetObjectSize();
    if (m_formatFlags & kFrameRunLengthMask) {
        size += GetRunLengthBlockSize(m_pixels);
        for (uint8_t* layer : m_layerPixels)
            size += GetRunLengthBlockSize(layer);
        size += static_cast<uint64_t>(m_height) * 4;
    } else if (m_pixels) {
        size += static_cast<uint64_t>(GetBytesPerPixel()) * m_width * m_height;
    }
    return static_cast<uint32_t>(std::min<uint64_t>(size, UINT32_MAX));
}

void CFrame::Create(uint32_t width, uint32_t height, uint32_t depth)
{
    uint32_t pitch = AllocatePixels(width, height, depth);
    UpdateDerivedSizes(pitch, true);
}

uint32_t CFrame::AllocatePixels(uint32_t width, uint32_t height, uint32_t depth)
{
    if (m_pixels && width == m_width && height == m_height && DepthFlagFor(depth) != 0 &&
        GetBitsPerPixel() == depth && (m_formatFlags & kFrameRunLengthMask) == 0)
        return GetPitch();
    FreePixels();
    uint32_t bytes = BytesForDepth(depth);
    if (bytes == 0 || width > 0xFFFF || height > 0xFFFF)
        return 0;
    uint64_t size = static_cast<uint64_t>(width) * height * bytes;
    if (size > UINT32_MAX)
        return 0;
    if (size > 0) {
        m_pixels = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(size), 1));
        if (!m_pixels)
            return 0;
    }
    m_width = static_cast<uint16_t>(width);
    m_height = static_cast<uint16_t>(height);
    SetDepthFlags(depth);
    return width;
}

void CFrame::UpdateDerivedSizes(uint32_t pitch, bool rebuild)
{
    m_left = 0;
    m_top = 0;
    m_widthLog2 = Log2Floor(m_width);
    m_heightLog2 = Log2Floor(m_height);
    if (m_height != 0 && rebuild) {
        std::free(m_rowOffsets);
        m_rowOffsets = BuildRowOffsetTable(pitch, m_height);
    }
}

void CFrame::FreePixels()
{
    m_width = 0;
    m_height = 0;
    m_widthLog2 = 0;
    m_heightLog2 = 0;
    FreeAndClear(reinterpret_cast<void**>(&m_pixels));
    FreeAndClear(reinterpret_cast<void**>(&m_rowOffsets));
    for (int i = 0; i < 4; ++i) {
        FreeAndClear(reinterpret_cast<void**>(&m_layerPixels[i]));
        FreeAndClear(reinterpret_cast<void**>(&m_layerRowOffsets[i]));
    }
    m_formatFlags &= ~(kFrameDepthMask | kFrameRunLengthMask);
}

void CFrame::ForgetPixels()
{
    m_pixels = nullptr;
    m_rowOffsets = nullptr;
    for (int i = 0; i < 4; ++i) {
        m_layerPixels[i] = nullptr;
        m_layerRowOffsets[i] = nullptr;
    }
}

void CFrame::SetDepthFlags(uint32_t depth)
{
    m_formatFlags = (m_formatFlags & ~kFrameDepthMask) | DepthFlagFor(depth);
}

void CFrame::AdoptPixels(uint8_t* pixels, uint32_t* rowOffsets)
{
    if (pixels != m_pixels)
        std::free(m_pixels);
    if (rowOffsets != m_rowOffsets)
        std::free(m_rowOffsets);
    m_pixels = pixels;
    m_rowOffsets = rowOffsets;
}

void CFrame::AdoptLayer(uint32_t layer, uint8_t* pixels, uint32_t* rowOffsets)
{
    if (layer < 1 || layer > 4)
        return;
    uint32_t i = layer - 1;
    if (pixels != m_layerPixels[i])
        std::free(m_layerPixels[i]);
    if (rowOffsets != m_layerRowOffsets[i])
        std::free(m_layerRowOffsets[i]);
    m_layerPixels[i] = pixels;
    m_layerRowOffsets[i] = rowOffsets;
}

void CFrame::CopyFrom(CFrameInterface* source)
{
    if (!source)
        return;
    CIntRect bounds;
    source->GetBounds(bounds);
    CopyRectFrom(source, bounds);
    SetOrigin(source->GetLeft(), source->GetTop());
}

void CFrame::CopyRectFrom(CFrameInterface* source, const CIntRect& rect)
{
    if (!source)
        return;
    if (source == this) {
        // Creating the copy would free the pixels it is made from: copy through a second frame.
        CFrame copy;
        copy.CopyRectFrom(this, rect);
        TakeContentsFrom(copy);
        return;
    }
    int64_t width = std::max<int64_t>(0, static_cast<int64_t>(rect.m_right) - rect.m_left);
    int64_t height = std::max<int64_t>(0, static_cast<int64_t>(rect.m_bottom) - rect.m_top);
    if (width == 0 || height == 0)
        width = height = 0;
    Create(static_cast<uint32_t>(std::min<int64_t>(width, UINT32_MAX)),
           static_cast<uint32_t>(std::min<int64_t>(height, UINT32_MAX)), source->GetBitsPerPixel());
    if (m_pixels)
        Blit(source, rect, CIntRect{0, 0, m_width, m_height}, &g_copyBlitter);
    if (CFrame* frame = dynamic_cast<CFrame*>(source)) {
        if (auto* holder = static_cast<CPaletteHolder*>(GetPaletteProperty()->GetDynamicObject(frame)))
            SetPalette(holder->GetTable());
    }
    m_left = 0;
    m_top = 0;
}

void CFrame::TakeContentsFrom(CFrame& other)
{
    FreePixels();
    m_pixels = other.m_pixels;
    m_rowOffsets = other.m_rowOffsets;
    for (int i = 0; i < 4; ++i) {
        m_layerPixels[i] = other.m_layerPixels[i];
        m_layerRowOffsets[i] = other.m_layerRowOffsets[i];
    }
    m_width = other.m_width;
    m_height = other.m_height;
    m_widthLog2 = other.m_widthLog2;
    m_heightLog2 = other.m_heightLog2;
    m_left = other.m_left;
    m_top = other.m_top;
    m_formatFlags = (m_formatFlags & ~(kFrameDepthMask | kFrameRunLengthMask)) |
                    (other.m_formatFlags & (kFrameDepthMask | kFrameRunLengthMask));
    other.ForgetPixels();
    other.FreePixels();
}

bool CFrame::HasVisiblePixels() const
{
    if (!HasPlainPixels())
        return false;
    uint32_t depth = GetBitsPerPixel();
    for (uint32_t row = 0; row < m_height; ++row) {
        const uint8_t* at = PixelAddress(0, row);
        switch (depth) {
        case 8:
        case 24:
            for (uint32_t i = 0; i < m_width * (depth / 8); ++i)
                if (at[i] != 0)
                    return true;
            break;
        case 32:
            for (uint32_t i = 0; i < m_width; ++i)
                if (at[i * 4 + 3] != 0)
                    return true;
            break;
        default:
            return false;
        }
    }
    return false;
}

void CFrame::SetOrigin(int16_t left, int16_t top)
{
    m_left = left;
    m_top = top;
}

void CFrame::MoveOrigin(int16_t dx, int16_t dy)
{
    m_left = static_cast<int16_t>(m_left + dx);
    m_top = static_cast<int16_t>(m_top + dy);
}

void CFrame::SetPalette(const CPaletteTable& palette)
{
    CPaletteTable* mine = GetPalette();
    if (&palette != mine)
        mine->CopyFrom(palette);
    if (!mine->IsEmpty())
        m_formatFlags |= kFrameHasPalette;
}

void CFrame::CreatePalette()
{
    GetPalette()->Create(1);
    m_formatFlags |= kFrameHasPalette;
}

void CFrame::DropPalette()
{
    RemoveDynamicValue(GetPaletteProperty());
    m_formatFlags &= ~kFrameHasPalette;
}

bool CFrame::LoadBmpPalette(const char* fileName)
{
    CVirtualFile file;
    if (!file.Open(fileName, VF_READ))
        return false;
    uint32_t size = file.GetSize();
    std::vector<uint8_t> bytes(size);
    uint32_t read = size > 0 ? file.Read(bytes.data(), size) : 0;
    file.Close();
    DropPalette();
    return ReadBmpPalette(*this, bytes.data(), read);
}

uint32_t* CFrame::BuildRowOffsetTable(uint32_t pitch, uint32_t height)
{
    uint32_t count = std::max<uint32_t>(height, 2);
    auto* table = static_cast<uint32_t*>(std::malloc(count * sizeof(uint32_t)));
    if (!table)
        return nullptr;
    for (uint32_t r = 0; r < count; ++r)
        table[r] = r * pitch;
    return table;
}

void CFrame::FreeAndClear(void** block)
{
    std::free(*block);
    *block = nullptr;
}
