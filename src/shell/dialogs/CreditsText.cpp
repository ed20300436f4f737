#include "shell/dialogs/CreditsText.h"

#include "blit/Blitter.h"
#include "foundation/VirtualFile.h"
#include "graphics/Font.h"
#include "graphics/FrameInterface.h"
#include "platform/Time.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int32_t kLineSpacing = 4;
constexpr uint8_t kUnderlineLevel = 156;

} // namespace

CCreditsText::CCreditsText(const char* fileName, CFont* font)
    : m_startTick(platform::GetTickCount()), m_font(font),
      m_lineHeight((font ? font->GetLineHeight() : 0) + kLineSpacing),
      m_speed(static_cast<float>(m_lineHeight) * 0.002f), m_lines(new char[kSlots * kSlotBytes]())
{
    ReadFile(fileName);
}

CCreditsText::~CCreditsText() = default;

void CCreditsText::ReadFile(const char* fileName)
{
    // Split here rather than by the stream's line reader, which stops at a line longer than its
    // buffer: a long line keeps its first 255 characters and loses the rest.
    CVirtualFile file;
    if (!fileName || !file.Open(fileName, VF_READ))
        return;
    std::vector<char> bytes(file.GetSize());
    bytes.resize(bytes.empty() ? 0 : file.Read(bytes.data(), static_cast<uint32_t>(bytes.size())));
    file.Close();
    size_t start = 0;
    while (start < bytes.size() && m_count < kMaxLines) {
        size_t end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        StoreLine(bytes.data() + start, end - start);
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

void CCreditsText::StoreLine(const char* text, size_t length)
{
    if (length > 0 && text[0] == '/')
        return;
    char* slot = m_lines.get() + static_cast<size_t>(m_count) * kSlotBytes;
    const size_t kept = std::min<size_t>(length, kSlotBytes - 1);
    std::memcpy(slot, text, kept);
    slot[kept] = '\0';
    // A NUL inside the line ends it as the drawing reads it.
    ++m_count;
}

const char* CCreditsText::GetLine(uint32_t index) const
{
    return index < m_count ? m_lines.get() + static_cast<size_t>(index) * kSlotBytes : "";
}

float CCreditsText::LineOpacity(int32_t y, int32_t h)
{
    const float eighth = static_cast<float>(h) * 0.125f;
    if (eighth <= 0.0f)
        return 1.0f;
    float opacity = 1.0f;
    if (y < h / 8)
        opacity = static_cast<float>(y) / eighth;
    else if (y > 7 * h / 8 - 5)
        opacity = 1.0f - ((static_cast<float>(y) - 0.875f * static_cast<float>(h)) + 5.0f) / eighth;
    return std::clamp(opacity, 0.0f, 1.0f);
}

void CCreditsText::Draw(CFrameInterface* frame, const CIntRect& rect)
{
    if (!frame || !m_font || m_lineHeight <= 0)
        return;
    const int32_t h = rect.m_bottom - rect.m_top;
    const uint32_t elapsed = platform::GetTickCount() - m_startTick;
    const int32_t scroll = static_cast<int32_t>(std::lround(static_cast<double>(elapsed) * m_speed));
    const int32_t centreX = (rect.m_left + rect.m_right) / 2;
    const int32_t visible = std::max(h / m_lineHeight, 0);
    const int32_t first = std::max(scroll / m_lineHeight - visible - 1, 0);
    const int32_t last = first + 2 + visible;
    const int32_t count = static_cast<int32_t>(m_count);

    // Drawn while a line is left to draw: from the second line on the same as while the last drawn
    // line is within count + visible, but a text of one line shows too.
    if (first < count) {
        CBlitter* blitter = m_font->GetBlitter();
        const float savedOpacity = blitter ? blitter->GetOpacity() : 1.0f;
        int32_t y = h - scroll + m_lineHeight * first;
        for (int32_t index = first; index < last; ++index, y += m_lineHeight) {
            const float opacity = LineOpacity(y, h);
            if (blitter)
                blitter->SetOpacity(opacity);
            // Past the count the slots stand for empty lines: nothing is read beyond them.
            DrawLine(frame, GetLine(static_cast<uint32_t>(index)), centreX, rect.m_top + y, opacity);
        }
        if (blitter)
            blitter->SetOpacity(savedOpacity);
    }
    if (last > count + 2 * visible)
        m_startTick = platform::GetTickCount();
}

CColor CCreditsText::UnderlineColor(char kind, float opacity, bool eightBit)
{
    const uint8_t level = eightBit ? static_cast<uint8_t>(std::lround(kUnderlineLevel * opacity)) : kUnderlineLevel;
    const uint8_t alpha = eightBit ? 255 : static_cast<uint8_t>(std::lround(opacity * 255.0f));
    CColor colour;
    if (kind == '+')
        colour.ConstructRgba(0, level, 0, alpha);
    else
        colour.ConstructRgba(level, 0, 0, alpha);
    return colour;
}

void CCreditsText::DrawLine(CFrameInterface* frame, const char* line, int32_t centreX, int32_t y, float opacity)
{
    if (!*line)
        return;
    const char* colon = std::strrchr(line, ':');
    if (colon && colon != line) {
        const std::string left(line, static_cast<size_t>(colon - line));
        m_font->DrawText(frame, centreX, y, left.c_str(), kJustifyRight);
        m_font->DrawText(frame, centreX, y, colon + 1, kJustifyLeft);
        return;
    }
    if (line[0] != '_' && line[0] != '+') {
        m_font->DrawText(frame, centreX, y, line, kJustifyCentre);
        return;
    }
    m_font->DrawText(frame, centreX, y, line + 1, kJustifyCentre);
    const int32_t w = m_font->GetTextWidth(line + 1);
    const int32_t underlineY = y + m_font->GetLineHeight() + 1;
    const CColor colour = UnderlineColor(line[0], opacity, frame->GetBitsPerPixel() == 8);
    frame->FillRectCoords(centreX - w / 2, underlineY, centreX + w / 2 + 1, underlineY + 1, colour);
}
