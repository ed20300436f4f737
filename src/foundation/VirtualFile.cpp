#include "foundation/VirtualFile.h"

#include "foundation/ByteOrder.h"
#include "foundation/CompressedBlockCodec.h"
#include "foundation/FileBuf.h"
#include "foundation/FilePaths.h"
#include "foundation/FileSystem.h"
#include "foundation/TextUtilities.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::atomic<int> s_openFileCount{0};
std::atomic<int> s_mostOpenFiles{0};

} // namespace

CVirtualFile::CVirtualFile() = default;

CVirtualFile::~CVirtualFile()
{
    CVirtualFile::Close();
}

void CVirtualFile::CountOpen()
{
    const int open = ++s_openFileCount;
    int most = s_mostOpenFiles.load();
    while (open > most && !s_mostOpenFiles.compare_exchange_weak(most, open)) {
    }
}

int CVirtualFile::GetOpenFileCount()
{
    return s_openFileCount.load();
}

int CVirtualFile::GetMostOpenFileCount()
{
    return s_mostOpenFiles.load();
}

void CVirtualFile::CloseQuietly()
{
    if (m_stream)
        Close();
}

bool CVirtualFile::Open(const char* name, uint32_t flags, uint32_t wholeFileLimit)
{
    m_shortReads = 0;
    m_directReadBytes = 0;
    m_directReadAllowed = false;
    CloseQuietly();

    if (CStream::IsBufferName(name)) {
        // A view of the named memory stream; its creator keeps it and deletes it. A name whose
        // stream is gone is a file that does not exist.
        auto* source = dynamic_cast<CFileBuf*>(CStream::FindByBufferName(name));
        if (!source)
            return false;
        auto* view = new CFileBuf();
        view->ConstructView(*source);
        m_stream = view;
        flags &= ~VF_COMPRESSED; // the view is the file: there is nothing to store at close
    } else if ((flags & VF_COMPRESSED) && (flags & VF_WRITE)) {
        if (!name || !name[0])
            return false;
        m_name = name;
        m_stream = new CFileBuf();
    } else if ((flags & VF_COMPRESSED) && (flags & VF_READ)) {
        CVirtualFile plain;
        if (!plain.Open(name, flags & ~(VF_COMPRESSED | VF_IN_MEMORY)))
            return false;
        uint32_t rawLength = 0;
        bool damaged = false;
        uint8_t* data = CCompressedBlockCodec::Read(plain, rawLength, &damaged);
        if (damaged)
            return false;
        if (data) {
            auto* buffer = new CFileBuf();
            buffer->ConstructOverBuffer(data, rawLength);
            m_stream = buffer;
        } else {
            // No record: the file is read as it is, from its first byte.
            if (!plain.Seek(0))
                return false;
            --s_openFileCount;
            m_stream = plain.m_stream;
            plain.m_stream = nullptr;
        }
    } else if (flags & VF_IN_MEMORY) {
        m_stream = LoadFileToMemoryStream(name, flags & ~VF_IN_MEMORY, wholeFileLimit);
        if (!m_stream)
            return false;
    } else {
        if (!name || !name[0])
            return false;
        flags = AddAbsoluteNameFlags(name, flags);
        m_stream = CStream::OpenForPath(name, flags);
        if (!m_stream)
            return false;
    }
    m_flags = flags;
    CountOpen();
    return true;
}

bool CVirtualFile::AttachStream(CStream* stream, uint32_t flags)
{
    m_shortReads = 0;
    m_directReadBytes = 0;
    m_directReadAllowed = false;
    CloseQuietly();
    m_stream = stream;
    m_flags = flags;
    if (stream)
        CountOpen();
    return stream != nullptr;
}

bool CVirtualFile::Close()
{
    if (!m_stream)
        return true;
    bool ok = true;
    if ((m_flags & VF_COMPRESSED) && (m_flags & VF_WRITE)) {
        auto* buffer = dynamic_cast<CFileBuf*>(m_stream);
        ok = buffer && CCompressedBlockCodec::WriteFile(m_name.c_str(), m_flags & ~VF_COMPRESSED, buffer->GetData(),
                                                        buffer->GetSize(), CCompressedBlockCodec::kFileLevel);
        m_name.clear();
    }
    --s_openFileCount;
    CStream* stream = m_stream;
    m_stream = nullptr;
    ok = stream->Close() && ok;
    delete stream;
    return ok;
}

uint32_t CVirtualFile::Write(const void* bytes, uint32_t n)
{
    return m_stream ? m_stream->Write(bytes, n) : 0;
}

uint32_t CVirtualFile::Read(void* buffer, uint32_t n)
{
    if (!m_stream)
        return 0;
    if (n < 2000)
        ++m_shortReads;
    return m_stream->Read(buffer, n);
}

bool CVirtualFile::Seek(uint32_t offset)
{
    return m_stream && m_stream->Seek(offset);
}

bool CVirtualFile::SeekRelative(int32_t delta)
{
    return m_stream && m_stream->SeekRelative(delta);
}

int32_t CVirtualFile::GetPosition()
{
    return m_stream ? m_stream->GetPosition() : -1;
}

uint32_t CVirtualFile::GetSize()
{
    return m_stream ? m_stream->GetSize() : 0;
}

int32_t CVirtualFile::SetSize(uint32_t n)
{
    return m_stream ? m_stream->SetSize(n) : 0;
}

uint8_t* CVirtualFile::ReadDirect(uint32_t n)
{
    if (!m_stream)
        return nullptr;
    m_directReadBytes += n;
    return m_stream->AccessAndAdvance(n);
}

uint8_t* CVirtualFile::DetachBuffer()
{
    return m_stream ? m_stream->TakeBuffer() : nullptr;
}

CVirtualFile& CVirtualFile::WriteU8(uint32_t value)
{
    const uint8_t byte = static_cast<uint8_t>(value);
    Write(&byte, 1);
    return *this;
}

CVirtualFile& CVirtualFile::WriteU32(uint32_t value)
{
    uint8_t bytes[4];
    StoreU32Le(bytes, value);
    Write(bytes, 4);
    return *this;
}

CVirtualFile& CVirtualFile::WriteU64(uint64_t value)
{
    uint8_t bytes[8];
    StoreU32Le(bytes, static_cast<uint32_t>(value));
    StoreU32Le(bytes + 4, static_cast<uint32_t>(value >> 32));
    Write(bytes, 8);
    return *this;
}

CVirtualFile& CVirtualFile::ReadU8(uint8_t& out)
{
    uint8_t byte = 0;
    ++m_shortReads;
    if (m_stream)
        m_stream->Read(&byte, 1);
    out = byte;
    return *this;
}

CVirtualFile& CVirtualFile::ReadU32(uint32_t& out)
{
    uint8_t bytes[4] = {0, 0, 0, 0};
    ++m_shortReads;
    if (m_stream)
        m_stream->Read(bytes, 4);
    out = LoadU32Le(bytes);
    return *this;
}

CVirtualFile& CVirtualFile::ReadU64(uint64_t& out)
{
    uint8_t bytes[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    ++m_shortReads;
    if (m_stream)
        m_stream->Read(bytes, 8);
    out = LoadU32Le(bytes) | uint64_t(LoadU32Le(bytes + 4)) << 32;
    return *this;
}

CVirtualFile& CVirtualFile::WriteCountedString(const char* text)
{
    const size_t length = text ? std::strlen(text) : 0;
    WriteU32(static_cast<uint32_t>(length));
    if (length)
        Write(text, static_cast<uint32_t>(length));
    return *this;
}

bool CVirtualFile::ReadStringLength(uint32_t& length)
{
    uint8_t bytes[4];
    if (!m_stream || m_stream->Read(bytes, 4) != 4)
        return false;
    length = LoadU32Le(bytes);
    return true;
}

int64_t CVirtualFile::BytesLeft()
{
    return int64_t(GetSize()) - GetPosition();
}

bool CVirtualFile::ReadCountedString(char* buffer, uint32_t bufferSize)
{
    errno = 0;
    uint32_t length = 0;
    if (!ReadStringLength(length)) {
        errno = ERANGE;
        return false;
    }
    if (!buffer || length > BytesLeft() || uint64_t(length) >= bufferSize) {
        errno = ERANGE;
        return false;
    }
    const uint32_t got = Read(buffer, length);
    buffer[got] = '\0';
    if (got != length) {
        errno = ERANGE;
        return false;
    }
    return true;
}

bool CVirtualFile::ReadAllocatedString(char** text)
{
    if (!text)
        return false;
    std::free(*text);
    *text = nullptr;
    uint32_t length = 0;
    if (!ReadStringLength(length) || length > BytesLeft())
        return false;
    auto* result = static_cast<char*>(std::malloc(size_t(length) + 1));
    if (!result)
        return false;
    if (Read(result, length) != length) {
        std::free(result);
        return false;
    }
    result[length] = '\0';
    *text = result;
    return true;
}

CVirtualFile& CVirtualFile::WriteByte(uint8_t byte)
{
    Write(&byte, 1);
    return *this;
}

CVirtualFile& CVirtualFile::WriteText(const char* text)
{
    if (text) {
        const size_t length = std::strlen(text);
        if (length)
            Write(text, static_cast<uint32_t>(length));
    }
    return *this;
}

CVirtualFile& CVirtualFile::WriteLine(const char* text)
{
    WriteText(text);
    Write("\r\n", 2);
    for (uint32_t i = 0; i < m_indent; ++i)
        WriteByte('\t');
    return *this;
}

CVirtualFile& CVirtualFile::Indent()
{
    ++m_indent;
    WriteByte('\t');
    return *this;
}

CVirtualFile& CVirtualFile::Outdent()
{
    if (m_indent > 0) {
        --m_indent;
        SeekRelative(-1); // the next text overwrites the TAB the last line end wrote
    }
    return *this;
}

bool CVirtualFile::ReadLine(char* buffer, uint32_t size)
{
    return m_stream && m_stream->ReadLine(buffer, size);
}

bool CVirtualFile::ReadNonBlankLine(char* buffer, uint32_t size)
{
    while (ReadLine(buffer, size)) {
        if (!IsBlankText(buffer))
            return true;
    }
    return false;
}

bool CVirtualFile::MoveBlock(uint32_t destination, uint32_t source, uint32_t n)
{
    if (destination == source || n == 0)
        return true;
    if (source < destination)
        return false;
    std::vector<uint8_t> chunk(n < 65536 ? n : 65536);
    while (n > 0) {
        const uint32_t count = n < chunk.size() ? n : static_cast<uint32_t>(chunk.size());
        if (!Seek(source) || Read(chunk.data(), count) != count)
            return false;
        if (!Seek(destination) || Write(chunk.data(), count) != count)
            return false;
        source += count;
        destination += count;
        n -= count;
    }
    return true;
}

bool CVirtualFile::CopyTo(CVirtualFile& other, FileProgressCallback progress)
{
    if (!m_stream || !other.m_stream)
        return false;
    const uint32_t total = GetSize();
    bool ok = Seek(0) && other.Seek(0);
    if (progress)
        progress(0.0f);
    if (ok && total > 0) {
        std::vector<uint8_t> chunk(total < 524288 ? total : 524288);
        uint32_t remaining = total;
        while (remaining > 0) {
            if (progress)
                progress(static_cast<float>(total - remaining) / static_cast<float>(total));
            const uint32_t count = remaining < chunk.size() ? remaining : static_cast<uint32_t>(chunk.size());
            if (Read(chunk.data(), count) != count || other.Write(chunk.data(), count) != count) {
                ok = false;
                break;
            }
            remaining -= count;
        }
    }
    if (!ok) {
        other.m_stream->MarkWriteFailed();
        return false;
    }
    if (progress)
        progress(1.0f);
    return true;
}

bool CVirtualFile::ContentEquals(CVirtualFile& other)
{
    const uint32_t size = GetSize();
    if (!m_stream || !other.m_stream || size != other.GetSize())
        return false;
    if (!Seek(0) || !other.Seek(0))
        return false;
    const uint32_t chunkSize = size < 65536 ? size : 65536;
    std::vector<uint8_t> mine(chunkSize);
    std::vector<uint8_t> theirs(chunkSize);
    uint32_t remaining = size;
    while (remaining > 0) {
        const uint32_t count = remaining < chunkSize ? remaining : chunkSize;
        if (Read(mine.data(), count) != count || other.Read(theirs.data(), count) != count)
            return false;
        if (std::memcmp(mine.data(), theirs.data(), count) != 0)
            return false;
        remaining -= count;
    }
    return true;
}

bool CFileSystem::CopyFileWithProgress(const char* sourceName, uint32_t sourceFlags, const char* destinationName,
                                       uint32_t destinationFlags, FileProgressCallback progress)
{
    CVirtualFile source;
    CVirtualFile destination;
    if (!source.Open(sourceName, sourceFlags | VF_READ))
        return false;
    if (!destination.Open(destinationName, destinationFlags | VF_CREATE | VF_WRITE))
        return false;
    bool ok = source.CopyTo(destination, progress);
    source.Close();
    ok = destination.Close() && ok;
    return ok;
}
