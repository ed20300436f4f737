#include "objects/ObjectTextStream.h"

#include "foundation/FileBuf.h"
#include "foundation/Stream.h"
#include "foundation/TextUtilities.h"
#include "foundation/Win32Services.h"

#include <algorithm>
#include <string>

CObjectTextStream::CObjectTextStream() = default;

CObjectTextStream::~CObjectTextStream()
{
    if (IsOpen())
        Close();
}

bool CObjectTextStream::Open(const char* name, uint32_t flags, bool trackingOff)
{
    m_trackingOff = trackingOff;
    ResetReadState();
    return CVirtualFile::Open(name, flags);
}

bool CObjectTextStream::OpenMemory(CFileBuf* stream, uint32_t flags, bool trackingOff)
{
    m_trackingOff = trackingOff;
    ResetReadState();
    return AttachStream(stream, flags);
}

void CObjectTextStream::ResetReadState()
{
    m_finished = false;
    m_damaged = false;
    m_stopped = false;
    m_skippedLines = 0;
    m_defaultItemsLeft = kDefaultItemBudget;
    m_boundedItemCounts.clear();
}

uint32_t CObjectTextStream::TakeDefaultItems(uint32_t wanted)
{
    const uint32_t granted = std::min(wanted, m_defaultItemsLeft);
    m_defaultItemsLeft -= granted;
    if (granted < wanted)
        m_damaged = true;
    return granted;
}

bool CObjectTextStream::CountBoundedItems(const void* kind, uint32_t n, uint32_t limit)
{
    auto found = std::find_if(m_boundedItemCounts.begin(), m_boundedItemCounts.end(),
                              [kind](const auto& entry) { return entry.first == kind; });
    if (found == m_boundedItemCounts.end())
        found = m_boundedItemCounts.insert(found, {kind, 0});
    if (n > limit - std::min(limit, found->second))
        return false;
    found->second += n;
    return true;
}

void CObjectTextStream::StopReading()
{
    m_damaged = true;
    m_stopped = true;
}

void CObjectTextStream::ReportFatalDamage(const char* caption, const char* text)
{
    if (!m_damageTolerated)
        FatalExit(caption, text);
    m_damaged = true;
}

bool CObjectTextStream::Close()
{
    // The reference table is finished once per stream; with tracking off it has nothing to do.
    m_finished = true;
    return CVirtualFile::Close();
}

namespace {

// The length of the line end at text (CR LF, LF, CR, LF CR or CR CR LF), given the bytes left.
size_t LineEndLength(const char* text, size_t left)
{
    if (left < 2 || (text[1] != '\r' && text[1] != '\n'))
        return 1;
    if (text[0] == '\r' && text[1] == '\r')
        return left > 2 && text[2] == '\n' ? 3 : 1;
    return text[0] != text[1] ? 2 : 1;
}

} // namespace

bool CObjectTextStream::ReadTextLine(CSharedString& line)
{
    return ReadLine(line, false);
}

bool CObjectTextStream::ReadNonBlankTextLine(CSharedString& line)
{
    return ReadLine(line, true);
}

bool CObjectTextStream::ReadLine(CSharedString& line, bool skipBlank)
{
    if (m_stopped)
        return false;
    CStream* stream = GetStream();
    if (!stream || !stream->HasDirectAccess()) {
        while (ReadStreamedLine(line))
            if (!skipBlank || !IsBlankText(line.CStr()))
                return true;
        return false;
    }
    // In memory the lines are found in place: a blank line costs its bytes, nothing more.
    const int32_t start = GetPosition();
    const uint32_t size = GetSize();
    const uint8_t* at = stream->AccessAndAdvance(0);
    if (start < 0 || static_cast<uint32_t>(start) >= size || !at)
        return false;
    const char* text = reinterpret_cast<const char*>(at);
    const size_t left = size - static_cast<uint32_t>(start);
    size_t from = 0;
    while (from < left) {
        size_t end = from;
        bool blank = true;    // as IsBlankText sees the line: up to its first NUL
        bool terminated = false;
        for (; end < left && text[end] != '\r' && text[end] != '\n'; ++end) {
            if (text[end] == 0)
                terminated = true;
            else if (!terminated && text[end] != ' ' && text[end] != '\t')
                blank = false;
        }
        const size_t next = end < left ? end + LineEndLength(text + end, left - end) : end;
        if (!skipBlank || !blank) {
            line.AssignChars(text + from, static_cast<int>(end - from));
            Seek(static_cast<uint32_t>(start) + static_cast<uint32_t>(next));
            return true;
        }
        from = next;
    }
    Seek(size);
    return false;
}

bool CObjectTextStream::ReadStreamedLine(CSharedString& line)
{
    int32_t start = GetPosition();
    if (start < 0)
        return false;
    std::string bytes;
    size_t scanned = 0;
    bool atEnd = false;
    for (;;) {
        char chunk[512];
        uint32_t got = atEnd ? 0 : Read(chunk, sizeof(chunk));
        if (got < sizeof(chunk))
            atEnd = true;
        bytes.append(chunk, got);
        size_t end = bytes.find_first_of("\r\n", scanned);
        if (end == std::string::npos) {
            if (atEnd)
                break;
            scanned = bytes.size();
            continue;
        }
        // The line end's length needs up to two characters after the first one.
        if (end + 2 >= bytes.size() && !atEnd)
            continue;
        line.AssignChars(bytes.data(), static_cast<int>(end));
        const size_t endLength = LineEndLength(bytes.data() + end, bytes.size() - end);
        Seek(static_cast<uint32_t>(start) + static_cast<uint32_t>(end + endLength));
        return true;
    }
    if (bytes.empty())
        return false;
    line.AssignChars(bytes.data(), static_cast<int>(bytes.size()));
    Seek(static_cast<uint32_t>(start) + static_cast<uint32_t>(bytes.size()));
    return true;
}

bool CObjectTextStream::SkipNestedBlock()
{
    int32_t start = GetPosition();
    CSharedString line;
    if (!ReadNonBlankTextLine(line))
        return false;
    if (*SkipWhitespace(line.CStr()) != '{') {
        Seek(static_cast<uint32_t>(start));
        return false;
    }
    uint32_t depth = 1;
    while (depth > 0 && ReadNonBlankTextLine(line)) {
        const char* text = SkipWhitespace(line.CStr());
        if (*text == '{')
            ++depth;
        else if (*text == '}')
            --depth;
    }
    return true;
}
