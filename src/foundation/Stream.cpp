#include "foundation/Stream.h"

#include "foundation/ArchiveStreamProvider.h"
#include "foundation/Crc32.h"
#include "foundation/DiskAccess.h"
#include "foundation/FilePaths.h"
#include "foundation/TextUtilities.h"
#include "platform/DiskFiles.h"
#include "platform/Files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

char s_baseFolder[256] = ".";

// The archive set from the start, so that "zip;entry" names work before anything is mounted.
CArchiveStreamProvider* s_archiveProvider = GetDefaultArchiveProvider();

const char s_bufferNamePrefix[] = "~CFileBuf 0x";
constexpr size_t s_bufferNamePrefixLength = sizeof s_bufferNamePrefix - 1;

// Live streams that have a buffer name, by handle. Handles are never reused while the counter
// runs, so a name that outlived its stream finds nothing.
struct BufferTable
{
    std::mutex mutex;
    std::unordered_map<uint32_t, CStream*> streams;
    uint32_t next = 1;
};

BufferTable& GetBufferTable()
{
    static BufferTable* s_table = new BufferTable(); // outlives static streams destroyed at exit
    return *s_table;
}

// The handle a buffer name carries, or 0 when the text is no buffer name.
uint32_t DecodeBufferHandle(const char* name)
{
    if (!CStream::IsBufferName(name))
        return 0;
    const char* digits = name + s_bufferNamePrefixLength;
    uint32_t handle = 0;
    for (int i = 0; i < 8; ++i) {
        const int value = HexDigitValue(digits[i]);
        if (value < 0)
            return 0;
        handle = (handle << 4) | static_cast<uint32_t>(value);
    }
    return handle;
}

// The name joined to the base folder; empty when the result does not fit a path buffer.
std::string JoinToBaseFolder(const char* name)
{
    char path[kPathBufferSize];
    return JoinPath(path, s_baseFolder, name) ? std::string(path) : std::string();
}

} // namespace

const char* GetBaseFolder()
{
    return s_baseFolder;
}

void SetBaseFolder(const char* folder)
{
    if (!folder)
        folder = "";
    std::strncpy(s_baseFolder, folder, sizeof s_baseFolder - 1);
    s_baseFolder[sizeof s_baseFolder - 1] = '\0';
}

CStream::CStream() = default;

CStream::~CStream()
{
    if (m_bufferHandle != 0) {
        BufferTable& table = GetBufferTable();
        std::lock_guard<std::mutex> lock(table.mutex);
        table.streams.erase(m_bufferHandle);
    }
    CStream::Close();
}

bool CStream::IsMemoryStream() const
{
    return false;
}

uint32_t CStream::Write(const void* bytes, uint32_t n)
{
    if (!m_file || n == 0)
        return 0;
    // stdio needs a positioning call between a read and a following write, and the other way round.
    if (m_lastAccess == Access::Read)
        std::fseek(m_file, 0, SEEK_CUR);
    m_lastAccess = Access::Write;
    const size_t written = std::fwrite(bytes, 1, n, m_file);
    if (written != n)
        MarkWriteFailed();
    return static_cast<uint32_t>(written);
}

uint32_t CStream::Read(void* buffer, uint32_t n)
{
    if (!m_file || n == 0)
        return 0;
    if (m_lastAccess == Access::Write)
        std::fseek(m_file, 0, SEEK_CUR);
    m_lastAccess = Access::Read;
    return static_cast<uint32_t>(std::fread(buffer, 1, n, m_file));
}

bool CStream::SeekRelative(int32_t delta)
{
    m_lastAccess = Access::None;
    return m_file && std::fseek(m_file, delta, SEEK_CUR) == 0;
}

bool CStream::Seek(uint32_t offset)
{
    m_lastAccess = Access::None;
    return m_file && std::fseek(m_file, static_cast<long>(offset), SEEK_SET) == 0;
}

int32_t CStream::GetPosition()
{
    if (!m_file)
        return -1;
    return static_cast<int32_t>(std::ftell(m_file));
}

uint32_t CStream::GetSize()
{
    if (!m_file)
        return 0;
    m_lastAccess = Access::None;
    const long position = std::ftell(m_file);
    if (position < 0 || std::fseek(m_file, 0, SEEK_END) != 0)
        return 0;
    const long size = std::ftell(m_file);
    std::fseek(m_file, position, SEEK_SET);
    return size < 0 ? 0 : static_cast<uint32_t>(size);
}

int32_t CStream::SetSize(uint32_t n)
{
    if (!m_file)
        return 0;
    return platform::TruncateFile(m_file, n) ? 0 : -1;
}

bool CStream::Close()
{
    bool ok = true;
    if (m_created.file) {
        ok = platform::CommitReplacement(m_created);
    } else if (m_file && m_owns) {
        ok = std::fclose(m_file) == 0;
    }
    m_file = nullptr;
    m_owns = false;
    m_lastAccess = Access::None;
    m_created = platform::ReplacementFile();
    return ok;
}

bool CStream::HasDirectAccess() const
{
    return false;
}

uint8_t* CStream::AccessAndAdvance(uint32_t)
{
    return nullptr;
}

uint8_t* CStream::TakeBuffer()
{
    return nullptr;
}

bool CStream::ReadLine(char* buffer, uint32_t size)
{
    if (!buffer || size == 0)
        return false;
    buffer[0] = '\0';
    const int32_t start = GetPosition();
    if (size < 2 || start < 0)
        return false;
    const uint32_t count = Read(buffer, size - 1);
    buffer[count] = '\0';

    uint32_t end = 0;
    while (end < count && buffer[end] != '\r' && buffer[end] != '\n')
        ++end;
    if (end == count) {
        // No line end: the data ended (a last line, delivered), or the line is too long.
        if (count == 0 || count == size - 1) {
            Seek(static_cast<uint32_t>(start));
            return false;
        }
        return true;
    }

    // The line end may run past what was read: look at up to two more bytes, so that a CR at
    // the end of the window does not hide the LF after it.
    uint8_t extra[2] = {0, 0};
    uint32_t extraCount = 0;
    if (end + 2 >= count)
        extraCount = Read(extra, end + 3 - count);
    auto at = [&](uint32_t index) -> int {
        if (index < count)
            return static_cast<uint8_t>(buffer[index]);
        index -= count;
        return index < extraCount ? extra[index] : -1;
    };
    const int c = at(end);
    const int next = at(end + 1);
    uint32_t endLength = 1;
    if (next == '\r' || next == '\n') {
        if (c == '\r' && next == '\r' && at(end + 2) == '\n')
            endLength = 3; // CR CR LF, as text-mode writers double it
        else if (next != c)
            endLength = 2; // CR LF or LF CR
    }
    buffer[end] = '\0';
    Seek(static_cast<uint32_t>(start) + end + endLength);
    return true;
}

CStream* CStream::OpenForPath(const char* name, uint32_t flags)
{
    if (!name || !name[0])
        return nullptr;
    CArchiveStreamProvider* archives = s_archiveProvider;
    const bool archivesUsable = archives && !(flags & VF_VERBATIM) && archives->HasMountedArchives();

    auto openDisk = [&]() -> CStream* {
        CStream* stream = new CStream();
        if (stream->OpenDiskFile(name, flags))
            return stream;
        delete stream;
        return nullptr;
    };

    if ((flags & VF_WRITE) && (flags & VF_CREATE)) {
        if (const char* separator = std::strchr(name, ';')) {
            if (!archives)
                return nullptr;
            const std::string zipPath(name, separator);
            return archives->CreateAppendedEntry(zipPath.c_str(), separator + 1);
        }
        if (archivesUsable)
            if (CStream* stream = archives->OpenEntry(name, flags))
                return stream;
        return (flags & VF_NO_DISK) ? nullptr : openDisk();
    }
    if (flags & VF_WRITE)
        return (flags & VF_NO_DISK) ? nullptr : openDisk();
    if (!(flags & VF_READ))
        return nullptr;
    if (archivesUsable)
        if (CStream* stream = archives->OpenEntry(name, flags | VF_LISTED_ONLY))
            return stream;
    if (!(flags & VF_NO_DISK))
        if (CStream* stream = openDisk())
            return stream;
    if (archivesUsable)
        return archives->OpenEntry(name, flags);
    return nullptr;
}

bool CStream::OpenDiskFile(const char* name, uint32_t flags)
{
    Close();
    if (!name || !name[0])
        return false;
    const bool verbatim = (flags & VF_VERBATIM) != 0;
    if ((flags & VF_CREATE) && (flags & VF_WRITE))
        return OpenCreated(verbatim ? std::string(name) : JoinToBaseFolder(name), flags);

    const bool update = (flags & VF_WRITE) != 0;
    if (!verbatim)
        m_file = platform::OpenRegularFile(platform::ResolvePath(JoinToBaseFolder(name).c_str()), update);
    if (!m_file)
        m_file = platform::OpenRegularFile(platform::ResolvePath(name), update);
    m_owns = m_file != nullptr;
    return m_owns;
}

bool CStream::OpenCreated(const std::string& path, uint32_t flags)
{
    if (path.empty())
        return false;
    const std::string resolved = platform::ResolvePath(path.c_str());
    if (!platform::BeginReplacement(resolved, diskaccess::MakeTemporaryName, m_created)) {
        const std::string folder = diskaccess::FolderOf(resolved);
        if (!(flags & VF_MAKE_FOLDERS) || folder.empty() || platform::FileExists(resolved.c_str()))
            return false;
        CreateFolderChain(folder.c_str());
        if (!platform::BeginReplacement(resolved, diskaccess::MakeTemporaryName, m_created))
            return false;
    }
    m_file = m_created.file;
    m_owns = true;
    return true;
}

uint32_t CStream::ComputeCrc32()
{
    const uint32_t size = GetSize();
    uint32_t running = 0xFFFFFFFFu;
    std::vector<uint8_t> chunk(size < 65536 ? size : 65536);
    Seek(0);
    uint32_t remaining = size;
    while (remaining > 0) {
        const uint32_t want = remaining < chunk.size() ? remaining : static_cast<uint32_t>(chunk.size());
        const uint32_t got = Read(chunk.data(), want);
        if (got == 0)
            break;
        running = Crc32Update(running, chunk.data(), got);
        remaining -= got;
    }
    return Crc32End(running);
}

void CStream::MarkWriteFailed()
{
    m_created.failed = true;
}

CSharedString CStream::MakeBufferName(const char* suffix)
{
    if (m_bufferHandle == 0) {
        BufferTable& table = GetBufferTable();
        std::lock_guard<std::mutex> lock(table.mutex);
        uint32_t handle = table.next;
        while (handle == 0 || table.streams.count(handle) != 0)
            ++handle;
        table.next = handle + 1;
        table.streams[handle] = this;
        m_bufferHandle = handle;
    }
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", m_bufferHandle);
    CSharedString name;
    name.Format("%s%s/%s", s_bufferNamePrefix, digits, suffix ? suffix : "");
    return name;
}

bool CStream::IsBufferName(const char* name)
{
    return name && std::strncmp(name, s_bufferNamePrefix, s_bufferNamePrefixLength) == 0 &&
           std::strlen(name) >= s_bufferNamePrefixLength + 8;
}

CStream* CStream::FindByBufferName(const char* name)
{
    const uint32_t handle = DecodeBufferHandle(name);
    if (handle == 0)
        return nullptr;
    BufferTable& table = GetBufferTable();
    std::lock_guard<std::mutex> lock(table.mutex);
    auto found = table.streams.find(handle);
    return found == table.streams.end() ? nullptr : found->second;
}

void CStream::DeleteByBufferName(const char* name)
{
    delete FindByBufferName(name);
}

void CStream::SetArchiveProvider(CArchiveStreamProvider* provider)
{
    s_archiveProvider = provider;
}

CArchiveStreamProvider* CStream::GetArchiveProvider()
{
    return s_archiveProvider;
}
