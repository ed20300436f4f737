#include "objects/ObjectTextStream.h"

#include "foundation/FileBuf.h"
#include "foundation/TextUtilities.h"
#include "foundation/Win32Services.h"

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
    m_finished = false;
    m_damaged = false;
    m_skippedLines = 0;
    return CVirtualFile::Open(name, flags);
}

bool CObjectTextStream::OpenMemory(CFileBuf* stream, uint32_t flags, bool trackingOff)
{
    m_trackingOff = trackingOff;
    m_finished = false;
    m_damaged = false;
    m_skippedLines = 0;
    return AttachStream(stream, flags);
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

bool CObjectTextStream::ReadTextLine(CSharedString& line)
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
        char c = bytes[end];
        size_t endLength = 1;
        if (end + 1 < bytes.size()) {
            char n = bytes[end + 1];
            if (n == '\r' || n == '\n') {
                if (c == '\r' && n == '\r' && end + 2 < bytes.size() && bytes[end + 2] == '\n')
                    endLength = 3;
                else if (n != c)
                    endLength = 2;
            }
        }
        line.AssignChars(bytes.data(), static_cast<int>(end));
        Seek(static_cast<uint32_t>(start) + static_cast<uint32_t>(end + endLength));
        return true;
    }
    if (bytes.empty())
        return false;
    line.AssignChars(bytes.data(), static_cast<int>(bytes.size()));
    Seek(static_cast<uint32_t>(start) + static_cast<uint32_t>(bytes.size()));
    return true;
}

bool CObjectTextStream::ReadNonBlankTextLine(CSharedString& line)
{
    while (ReadTextLine(line))
        if (!IsBlankText(line.CStr()))
            return true;
    return false;
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
