// CFont: its properties, the glyph of a code, measuring and drawing lines of text, and loading.
// Line breaking and wrapped text are in FontText.cpp, glyph strips in FontGlyphStrip.cpp.
#include "graphics/Font.h"

#include "graphics/ColorProperty.h"
#include "graphics/Frame.h"
#include "graphics/UnicodeTrueTypeFontInfo.h"
#include "objects/BitFlagProperty.h"
#include "objects/BoolProperty.h"
#include "objects/FloatProperty.h"
#include "objects/IntProperty.h"

#include <algorithm>
#include <cstdio>
#include <string>

IMPLEMENT_CLASS_RECORD(CFont, CSequence, 8.0f)

namespace {

constexpr uint32_t kEditable = 1;
// Fonts whose last code is below this have no lower-case glyphs.
constexpr int32_t kLowerCaseStart = 0x60;
// Fixed-width text counts the characters from the blank on.
constexpr uint32_t kFirstCountedCode = 32;
constexpr int32_t kLastCode = 255;
// Frame coordinates are 16-bit.
constexpr int32_t kLargestLineBase = 0xFFFF;

template <class Char>
uint32_t CodeOf(Char c)
{
    return static_cast<std::make_unsigned_t<Char>>(c);
}

} // namespace

void CFont::AddProperties(CClassRecord* record)
{
    // Fonts do not animate: the rate stays in the binary form only.
    if (CPropertyDescriptor* rate = record->FindProperty("Frames Per Second"))
        rate->SetLabel("");
    record->AddProperty(new CIntProperty("", &CFont::m_lineBase, 0, 0));
    record->AddProperty(new CIntProperty("First ASCII", &CFont::m_firstCode, kEditable, 32, nullptr, 0, 255));
    record->AddProperty(new CIntProperty("Last ASCII", &CFont::m_lastCode, kEditable, 125, nullptr, 0, 255));
    record->AddProperty(new CBitFlagProperty("Fixed Width", &CFont::m_loadFlags, kFixedWidth, kEditable, false));
    record->AddProperty(
        CColorProperty::ConstructFromComponents("Generated Color", &CFont::m_generatedColor, kEditable, 255, 255, 255, 255));
    record->AddProperty(new CIntProperty("Alpha", &CFont::m_alpha, kEditable, 255, nullptr, 0, 255));
    record->AddProperty(new CIntProperty("Point Size", &CFont::m_pointSize, kEditable, 12, nullptr, 1, 72));
    record->AddProperty(new CBoolProperty("Generate Bold", &CFont::m_generateBold, kEditable, false));
    record->AddProperty(new CBoolProperty("Generate All Caps", &CFont::m_generateAllCaps, kEditable, false));
    record->AddProperty(new CFloatProperty("Vertical Offset", &CFont::m_verticalOffset, kEditable, 0.0f));
}

CFont::CFont()
{
    InitOwnProperties();
    m_generatedColor.ConstructRgba(255, 255, 255, 255);
}

CFont::~CFont()
{
    DestroyOwnProperties();
}

void CFont::SetCodeRange(int32_t first, int32_t last)
{
    m_firstCode = first;
    m_lastCode = last;
}

void CFont::SetFixedWidth(bool fixed)
{
    m_loadFlags = fixed ? m_loadFlags | kFixedWidth : m_loadFlags & ~kFixedWidth;
}

int32_t CFont::GetGlyphCount() const
{
    const int64_t count = static_cast<int64_t>(m_lastCode) - m_firstCode + 1;
    return count <= 0 ? 0 : static_cast<int32_t>(std::min<int64_t>(count, kLastCode + 1));
}

const CFrame* CFont::GetGlyph(uint32_t code, bool narrow) const
{
    const int32_t glyphs = GetGlyphCount();
    if (code < kFirstGlyphCode || glyphs == 0)
        return nullptr;
    if (narrow && m_lastCode + 1 < kLowerCaseStart && code >= 'a' && code <= 'z')
        code -= 'a' - 'A';
    uint32_t index = code - static_cast<uint32_t>(m_firstCode);
    if (index > static_cast<uint32_t>(glyphs - 1) || index >= GetFrameCount())
        index = 0;
    return GetFrame(index);
}

int32_t CFont::GlyphWidth(uint32_t code, bool narrow) const
{
    const CFrame* glyph = GetGlyph(code, narrow);
    return glyph ? glyph->GetWidth() : 0;
}

int32_t CFont::GetCharWidth(uint32_t code) const
{
    return GlyphWidth(code, true);
}

template <class Char>
int32_t CFont::MeasureText(const Char* text, int32_t maxCharacters) const
{
    int32_t width = 0;
    for (int32_t i = 0; text && text[i] && (maxCharacters < 0 || i < maxCharacters); ++i)
        width += GlyphWidth(CodeOf(text[i]), sizeof(Char) == 1);
    return width;
}

int32_t CFont::GetTextWidth(const char* text, int32_t maxCharacters) const
{
    return MeasureText(text, maxCharacters);
}

int32_t CFont::GetTextWidth(const char16_t* text, int32_t maxCharacters) const
{
    return MeasureText(text, maxCharacters);
}

template <class Char>
int32_t CFont::MeasureBlock(const Char* text) const
{
    int32_t widest = 0, width = 0;
    for (; text && *text; ++text) {
        if (*text == '\n') {
            widest = std::max(widest, width);
            width = 0;
            continue;
        }
        width += GlyphWidth(CodeOf(*text), sizeof(Char) == 1);
    }
    return std::max(widest, width);
}

int32_t CFont::GetTextBlockWidth(const char* text) const
{
    return MeasureBlock(text);
}

int32_t CFont::GetTextBlockWidth(const char16_t* text) const
{
    return MeasureBlock(text);
}

int32_t CFont::GetTextBlockWidth(const CSharedString& text) const
{
    if (text.IsWide())
        return MeasureBlock(text.CWideStr());
    return MeasureBlock(text.CStr());
}

int32_t CFont::GetLineHeight() const
{
    for (const CFrame* glyph : m_frames)
        if (glyph)
            return m_lineBase + glyph->GetTop();
    return m_lineBase;
}

int32_t CFont::GetHeight() const
{
    return m_bounds.IsEmpty() ? 0 : m_bounds.GetHeight();
}

int32_t CFont::GetTextBlockHeight(const char* text, int32_t spacing) const
{
    int32_t lines = 1;
    for (; text && *text; ++text)
        lines += *text == '\n';
    return lines * GetLineHeight() + (lines - 1) * spacing;
}

int32_t CFont::GetTextBlockHeight(const CSharedString& text, int32_t spacing) const
{
    int32_t lines = 1;
    for (int i = 0; i < text.GetLength(); ++i)
        lines += text.GetAt(i) == u'\n';
    return lines * GetLineHeight() + (lines - 1) * spacing;
}

template <class Char>
void CFont::DrawTextOf(CFrameInterface* frame, int32_t x, int32_t y, const Char* text, int32_t justification,
                       uint32_t fixedCharacter) const
{
    constexpr bool narrow = sizeof(Char) == 1;
    if (!frame || !text || !*text || GetGlyphCount() == 0 || GetFrameCount() == 0)
        return;
    const int32_t fixedWidth = fixedCharacter >= kFirstGlyphCode ? GlyphWidth(fixedCharacter, narrow) : 0;
    if (justification == kJustifyCentre || justification == kJustifyRight) {
        int32_t width = 0;
        if (fixedWidth > 0) {
            for (const Char* at = text; *at; ++at)
                width += CodeOf(*at) >= kFirstCountedCode ? fixedWidth : 0;
        } else {
            width = MeasureText(text, -1);
        }
        x -= justification == kJustifyCentre ? width / 2 : width;
    }
    CBlitter* blitter = GetBlitter();
    for (; *text; ++text) {
        CFrame* glyph = const_cast<CFrame*>(GetGlyph(CodeOf(*text), narrow));
        if (CodeOf(*text) < kFirstGlyphCode)
            continue;
        const int32_t glyphWidth = glyph ? glyph->GetWidth() : 0;
        if (fixedWidth > 0) {
            if (glyph)
                frame->DrawFrameAt(glyph, x + (fixedWidth - glyphWidth) / 2, y, blitter);
            x += fixedWidth;
        } else {
            if (glyph)
                frame->DrawFrameAt(glyph, x, y, blitter);
            x += glyphWidth;
        }
    }
}

void CFont::DrawText(CFrameInterface* frame, int32_t x, int32_t y, const char* text, int32_t justification,
                     uint32_t fixedCharacter) const
{
    DrawTextOf(frame, x, y, text, justification, fixedCharacter);
}

void CFont::DrawText(CFrameInterface* frame, int32_t x, int32_t y, const char16_t* text, int32_t justification,
                     uint32_t fixedCharacter) const
{
    DrawTextOf(frame, x, y, text, justification, fixedCharacter);
}

int32_t CFont::DrawMultilineText(CFrameInterface* frame, int32_t x, int32_t y, const char* text, int32_t justification,
                                 int32_t spacing) const
{
    const std::string all = text ? text : "";
    int32_t lines = 0;
    size_t start = 0;
    for (;;) {
        const size_t end = all.find('\n', start);
        DrawText(frame, x, y, all.substr(start, end == std::string::npos ? std::string::npos : end - start).c_str(),
                 justification, 0);
        ++lines;
        y += GetLineHeight() + spacing;
        if (end == std::string::npos)
            return lines;
        start = end + 1;
    }
}

void CFont::DrawNumber(CFrameInterface* frame, int32_t x, int32_t y, int32_t value, int32_t justification) const
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    DrawText(frame, x, y, text, justification, 0);
}

bool CFont::ReadCustomBinary(CVirtualFile& stream)
{
    m_firstCode = std::clamp(m_firstCode, 0, kLastCode);
    m_lastCode = std::clamp(m_lastCode, 0, kLastCode);
    m_lineBase = std::clamp(m_lineBase, -kLargestLineBase, kLargestLineBase);
    return CSequence::ReadCustomBinary(stream);
}

bool CFont::BuildFromSource(const char*, const char*, const CFrameLoadStage*)
{
    FreeFrames();
    return false;
}

bool CFont::Load(const char* folder, const char* name, const CFrameLoadStage* stages)
{
    bool loaded = CSequence::Load(folder, name, stages);
    if (!loaded) {
        ReadProperties(folder, name);
        loaded = LoadGlyphStrip(folder, name, stages);
    }
    if (loaded && IgnoreTgaFontData()) {
        // Every symbol is to come from the TrueType font: one empty slot stands for the glyphs.
        FreeFrames();
        m_frames.push_back(nullptr);
        SyncFrameCount();
        RecomputeBounds();
    }
    return loaded;
}
