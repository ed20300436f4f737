// CFont's word-wrapped text: breaking a text into lines of a width, and drawing and measuring the
// lines of a box. The last box measured is kept, so that a caller that measures and then draws
// the same text lays it out once.
#include "foundation/SharedString.h"
#include "graphics/Font.h"

#include <algorithm>
#include <string>

namespace {

bool IsBlank(char c)
{
    return c == ' ';
}

// The characters of the line without the blanks and line end it finishes with.
std::string TrimLineEnd(const char* line, int32_t length)
{
    std::string text(line, static_cast<size_t>(length));
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\n'))
        text.pop_back();
    return text;
}

// The first word's length: the run up to a blank, "\n" or the end, with the blank or "\n" that
// ends it; a blank alone is a word of its own.
int32_t WordLength(const char* text)
{
    if (IsBlank(*text))
        return 1;
    int32_t length = 0;
    while (text[length] && !IsBlank(text[length]) && text[length] != '\n')
        ++length;
    return text[length] ? length + 1 : length;
}

} // namespace

int32_t CFont::FindLineBreak(const char* text, int32_t maxWidth, CSharedString* lineText, bool breakInsideWords) const
{
    if (!text)
        return 0;
    int32_t taken = 0, width = 0;
    bool endedByNewline = false;
    while (text[taken] && !endedByNewline) {
        const int32_t length = WordLength(text + taken);
        const bool newline = text[taken + length - 1] == '\n';
        // A word's width counts its ending blank, not its line end.
        const int32_t wordWidth = GetTextWidth(text + taken, newline ? length - 1 : length);
        if (width + wordWidth >= maxWidth)
            break;
        width += wordWidth;
        taken += length;
        endedByNewline = newline;
    }
    if (taken == 0 && breakInsideWords) {
        while (text[taken] && text[taken] != '\n') {
            const int32_t charWidth = GetCharWidth(static_cast<unsigned char>(text[taken]));
            if (width + charWidth >= maxWidth)
                break;
            width += charWidth;
            ++taken;
        }
    }
    if (lineText)
        lineText->AppendChars(text, taken);
    return taken;
}

template <class Visit>
int32_t CFont::ForEachWrappedLine(const char* text, const CWrappedTextLayout& layout, Visit&& visit) const
{
    int32_t lines = 0;
    const char* at = text ? text : "";
    for (;;) {
        while (IsBlank(*at))
            ++at;
        if (!*at)
            return lines;
        const bool first = lines == 0;
        const int32_t margin = first ? layout.m_firstLeftMargin : layout.m_leftMargin;
        const int32_t available =
            layout.m_width - margin - (first ? layout.m_firstRightMargin : layout.m_rightMargin);
        int32_t length = FindLineBreak(at, available, nullptr, available >= layout.m_minimumBreakWidth);
        // A word wider than the box still takes a line of its own, so that the text always ends.
        if (length == 0)
            length = WordLength(at);
        const std::string line = TrimLineEnd(at, length);
        visit(line, GetTextWidth(line.c_str()), margin, available);
        ++lines;
        at += length;
    }
}

void CFont::UpdateWrappedLayout(const char* text, const CWrappedTextLayout& layout) const
{
    if (m_layoutValid && m_layout == layout && m_layoutText == (text ? text : ""))
        return;
    int32_t widest = 0;
    const int32_t lines = ForEachWrappedLine(text, layout, [&](const std::string&, int32_t width, int32_t margin,
                                                               int32_t available) {
        int32_t right = margin + available;
        if (layout.m_justification == kJustifyLeft)
            right = margin + width;
        else if (layout.m_justification == kJustifyCentre)
            right = margin + (available + width) / 2;
        widest = std::max(widest, right);
    });
    m_layoutText.AssignText(text ? text : "");
    m_layout = layout;
    m_layoutLines = lines;
    m_layoutHeight = lines == 0 ? 0 : (lines - 1) * layout.m_spacing + lines * GetLineHeight();
    m_layoutWidth = widest;
    m_layoutValid = true;
}

int32_t CFont::GetWrappedTextHeight(const char* text, const CWrappedTextLayout& layout) const
{
    UpdateWrappedLayout(text, layout);
    return m_layoutHeight;
}

int32_t CFont::GetWrappedTextWidth(const char* text, const CWrappedTextLayout& layout) const
{
    UpdateWrappedLayout(text, layout);
    return m_layoutWidth;
}

int32_t CFont::DrawWrappedText(CFrameInterface* frame, int32_t x, int32_t y, const char* text,
                               const CWrappedTextLayout& layout) const
{
    int32_t top = y;
    ForEachWrappedLine(text, layout, [&](const std::string& line, int32_t, int32_t margin, int32_t available) {
        int32_t at = x + margin;
        if (layout.m_justification == kJustifyCentre)
            at += available / 2;
        else if (layout.m_justification == kJustifyRight)
            at += available;
        DrawText(frame, at, top, line.c_str(), layout.m_justification, 0);
        top += GetLineHeight() + layout.m_spacing;
    });
    return GetWrappedTextHeight(text, layout);
}

CSharedString CFont::WrapText(const char* text, int32_t width) const
{
    CWrappedTextLayout layout;
    layout.m_width = width;
    CSharedString wrapped;
    ForEachWrappedLine(text, layout, [&](const std::string& line, int32_t, int32_t, int32_t) {
        wrapped.AppendText(line.c_str());
        wrapped.AppendText("\n");
    });
    return wrapped;
}
