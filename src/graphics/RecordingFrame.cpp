#include "graphics/RecordingFrame.h"

#include "blit/Blitter.h"
#include "graphics/Color.h"
#include "graphics/PaletteTable.h"

#include <cstring>

namespace {

// Handler words; 0 ends the list.
enum : uint32_t
{
    kEnd = 0,
    kBlit,
    kClearRect,
    kFillRect,
    kLine,
    kPixel,
    kAntialiasedLine,
    kRemap,
};

// Reads the words of one record from the list; every read reports whether the list held them.
class CCommandReader
{
public:
    explicit CCommandReader(CFileBuf& stream) : m_stream(stream) {}

    bool Word(uint32_t& word)
    {
        uint8_t bytes[4];
        if (m_stream.Read(bytes, 4) != 4)
            return false;
        word = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
        return true;
    }
    bool Int(int32_t& value)
    {
        uint32_t word;
        if (!Word(word))
            return false;
        value = static_cast<int32_t>(word);
        return true;
    }
    bool Float(float& value)
    {
        uint32_t word;
        if (!Word(word))
            return false;
        std::memcpy(&value, &word, 4);
        return true;
    }
    bool Rect(CIntRect& rect)
    {
        return Int(rect.m_left) && Int(rect.m_top) && Int(rect.m_right) && Int(rect.m_bottom);
    }
    template <class T> bool Pointer(T*& pointer)
    {
        uint32_t low, high;
        if (!Word(low) || !Word(high))
            return false;
        pointer = reinterpret_cast<T*>(static_cast<uintptr_t>((static_cast<uint64_t>(high) << 32) | low));
        return true;
    }
    // The colour of the word, opaque; set again only when the word changes.
    bool Color(const CColor*& color)
    {
        uint32_t word;
        if (!Word(word))
            return false;
        if (!m_haveColor || word != m_colorWord)
            m_color.Set(static_cast<uint8_t>(word >> 16), static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word), 255);
        m_haveColor = true;
        m_colorWord = word;
        color = &m_color;
        return true;
    }
    CFileBuf& Stream() { return m_stream; }

private:
    CFileBuf& m_stream;
    CColor m_color;
    uint32_t m_colorWord = 0;
    bool m_haveColor = false;
};

// Runs one blit with the blitter's recorded state, then gives the blitter its own state back.
bool ReplayBlit(CCommandReader& in, CFrameInterface& target)
{
    CFrameInterface* source;
    CIntRect from, to;
    CBlitter* blitter;
    uint32_t hasState;
    if (!in.Pointer(source) || !in.Rect(from) || !in.Rect(to) || !in.Pointer(blitter) || !in.Word(hasState))
        return false;
    if (!blitter || !hasState) {
        target.Blit(source, from, to, blitter);
        return true;
    }
    static CFileBuf s_saved;
    s_saved.Empty();
    blitter->SaveState(s_saved);
    if (!blitter->LoadState(in.Stream()))
        return false;
    target.Blit(source, from, to, blitter);
    s_saved.Seek(0);
    blitter->LoadState(s_saved);
    return true;
}

// Runs one record; false at the end of the list or where it is cut short.
bool ReplayRecord(CCommandReader& in, CFrameInterface& target)
{
    uint32_t handler;
    if (!in.Word(handler))
        return false;
    CIntRect rect;
    int32_t x0, y0, x1, y1;
    const CColor* color;
    switch (handler) {
    case kBlit:
        return ReplayBlit(in, target);
    case kClearRect:
        if (!in.Rect(rect))
            return false;
        target.ClearRect(rect);
        return true;
    case kFillRect:
        if (!in.Rect(rect) || !in.Color(color))
            return false;
        target.FillRect(rect, *color);
        return true;
    case kLine:
        if (!in.Int(x0) || !in.Int(y0) || !in.Int(x1) || !in.Int(y1) || !in.Color(color))
            return false;
        target.DrawLine(x0, y0, x1, y1, *color);
        return true;
    case kPixel:
        if (!in.Int(x0) || !in.Int(y0) || !in.Color(color))
            return false;
        target.SetPixel(x0, y0, *color);
        return true;
    case kAntialiasedLine: {
        float fx0, fy0, fx1, fy1;
        if (!in.Float(fx0) || !in.Float(fy0) || !in.Float(fx1) || !in.Float(fy1) || !in.Color(color))
            return false;
        target.DrawAntialiasedLine(fx0, fy0, fx1, fy1, *color);
        return true;
    }
    case kRemap: {
        const CPaletteTable* table;
        if (!in.Rect(rect) || !in.Pointer(table))
            return false;
        target.ApplyRemapTableToRect(rect, *table);
        return true;
    }
    default:
        // The end word, or a word this list never wrote.
        return false;
    }
}

} // namespace

void CRecordingFrame::WriteWord(uint32_t word)
{
    const uint8_t bytes[4] = {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8),
                              static_cast<uint8_t>(word >> 16), static_cast<uint8_t>(word >> 24)};
    m_commands.Write(bytes, 4);
}

void CRecordingFrame::WriteRect(const CIntRect& rect)
{
    WriteWord(static_cast<uint32_t>(rect.m_left));
    WriteWord(static_cast<uint32_t>(rect.m_top));
    WriteWord(static_cast<uint32_t>(rect.m_right));
    WriteWord(static_cast<uint32_t>(rect.m_bottom));
}

void CRecordingFrame::WritePointer(const void* pointer)
{
    const uint64_t value = reinterpret_cast<uintptr_t>(pointer);
    WriteWord(static_cast<uint32_t>(value));
    WriteWord(static_cast<uint32_t>(value >> 32));
}

void CRecordingFrame::WriteColor(const CColor& color)
{
    WriteWord(color.GetPixel32());
}

bool CRecordingFrame::Blit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
                           CBlitter* blitter)
{
    WriteWord(kBlit);
    WritePointer(source);
    WriteRect(sourceRect);
    WriteRect(destinationRect);
    WritePointer(blitter);
    WriteWord(blitter ? 1 : 0);
    if (blitter)
        blitter->SaveState(m_commands);
    return true;
}

void CRecordingFrame::ClearRect(const CIntRect& rect)
{
    WriteWord(kClearRect);
    WriteRect(rect);
}

void CRecordingFrame::FillRect(const CIntRect& rect, const CColor& color)
{
    WriteWord(kFillRect);
    WriteRect(rect);
    WriteColor(color);
}

void CRecordingFrame::DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color)
{
    WriteWord(kLine);
    for (int32_t value : {x0, y0, x1, y1})
        WriteWord(static_cast<uint32_t>(value));
    WriteColor(color);
}

void CRecordingFrame::DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color)
{
    WriteWord(kAntialiasedLine);
    for (float value : {x0, y0, x1, y1}) {
        uint32_t bits;
        std::memcpy(&bits, &value, 4);
        WriteWord(bits);
    }
    WriteColor(color);
}

void CRecordingFrame::SetPixel(int32_t x, int32_t y, const CColor& color)
{
    WriteWord(kPixel);
    WriteWord(static_cast<uint32_t>(x));
    WriteWord(static_cast<uint32_t>(y));
    WriteColor(color);
}

void CRecordingFrame::ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table)
{
    WriteWord(kRemap);
    WriteRect(rect);
    WritePointer(&table);
}

void CRecordingFrame::ResetRecording()
{
    m_commands.Empty();
}

void CRecordingFrame::EndRecording()
{
    WriteWord(kEnd);
}

void CRecordingFrame::Replay()
{
    if (!m_target)
        return;
    m_commands.Seek(0);
    CCommandReader in(m_commands);
    while (ReplayRecord(in, *m_target)) {
    }
    // Recording may go on after the list.
    m_commands.Seek(m_commands.GetSize());
}
