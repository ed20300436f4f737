#include "foundation/ZipArchive.h"

#include "foundation/FileSearchSpec.h"
#include "foundation/FileSystem.h"
#include "foundation/FileTimes.h"
#include "foundation/FileVisitor.h"
#include "foundation/OpenFlags.h"
#include "foundation/SharedString.h"
#include "foundation/TextUtilities.h"
#include "foundation/VirtualFile.h"
#include "foundation/Win32Services.h"
#include "foundation/ZipEntryStream.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

const char s_zipErrorCaption[] = "FATAL ERROR IN ZIP";
const char s_zipErrorText[] = "There is something wrong with %s.  It may be an empty archive.";
const char s_compressedCaption[] = "Compressed Zip File Found";
const char s_compressedText[] =
    "%s has been created using an unsupported type of compression.  All zip archives must be created with "
    "compression set to none or a type of compression supported by the game engine.";

[[noreturn]] void FatalWithPath(const char* caption, const char* format, const std::string& path)
{
    CSharedString text;
    text.Format(format, path.c_str());
    FatalExit(caption, text.CStr());
}

// Length of the folder part of a name: up to and including its last '/' or '\'.
size_t FolderLength(const char* name)
{
    size_t length = 0;
    for (size_t i = 0; name[i]; ++i)
        if (name[i] == '/' || name[i] == '\\')
            length = i + 1;
    return length;
}

bool BeginsWithNoCase(const char* text, size_t textLength, const char* prefix, size_t prefixLength)
{
    return textLength >= prefixLength && CompareTextNoCaseN(text, prefix, prefixLength) == 0;
}

// Whether the name ends with '.' and the extension, ignoring case.
bool HasExtension(const std::string& name, const std::string& extension)
{
    const size_t length = extension.size() + 1;
    if (name.size() < length || name[name.size() - length] != '.')
        return false;
    return CompareTextNoCase(name.c_str() + name.size() - extension.size(), extension.c_str()) == 0;
}

// Whether a folder of the relative path (not its file name) begins with '-'.
bool HasDashedFolder(const char* relative)
{
    const char* segment = relative;
    for (const char* p = relative; *p; ++p) {
        if (*p == '/') {
            if (*segment == '-')
                return true;
            segment = p + 1;
        }
    }
    return false;
}

} // namespace

CZipArchive::CZipArchive() = default;

CZipArchive::~CZipArchive()
{
    Close();
}

bool CZipArchive::Open(const char* archivePath, bool writable, const char* mountPrefix, bool deferred,
                       uint32_t openFlags)
{
    std::unique_lock<std::recursive_mutex> lock(m_lock);
    Close();
    m_writable = writable;
    m_openFlags = openFlags;
    m_path = archivePath ? archivePath : "";
    m_prefix = (mountPrefix && mountPrefix[0] != '/') ? mountPrefix : "";
    if (deferred)
        return true;
    m_keepOpen = true;
    return ReadDirectoryOrEnd(lock);
}

void CZipArchive::Close()
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    m_file.reset();
    m_entries.clear();
    m_nameIndex.clear();
    m_path.clear();
    m_prefix.clear();
    m_directoryRead = false;
    m_changed = false;
    m_keepOpen = false;
    m_endSignature = kEndSignature;
}

bool CZipArchive::IsFileOpen() const
{
    return m_file && m_file->IsOpen();
}

bool CZipArchive::OpenFile(uint32_t extraFlags)
{
    if (!m_file)
        m_file = std::make_unique<CVirtualFile>();
    // An archive may itself be an entry of an archive mounted before it: the open goes through
    // the virtual file system like any other.
    return m_file->Open(m_path.c_str(), m_openFlags | VF_READ | VF_ARCHIVE_FILE | extraFlags);
}

void CZipArchive::CloseFileIfUnused()
{
    if (m_openStreams == 0 && !m_keepOpen && IsFileOpen())
        m_file->Close();
}

bool CZipArchive::ReadDirectory()
{
    std::unique_lock<std::recursive_mutex> lock(m_lock);
    // The entries of an archive in use must stay where its streams point.
    if (m_openStreams != 0 || m_privateStreams != 0)
        return m_directoryRead;
    return ReadDirectoryOrEnd(lock);
}

bool CZipArchive::ReadDirectoryOrEnd(std::unique_lock<std::recursive_mutex>& lock)
{
    bool compressed = false;
    const bool ok = ReadDirectoryLocked(compressed);
    if (compressed) {
        const std::string path = m_path;
        lock.unlock();
        FatalWithPath(s_compressedCaption, s_compressedText, path);
    }
    return ok;
}

bool CZipArchive::ReadDirectoryLocked(bool& compressed)
{
    compressed = false;
    m_entries.clear();
    m_nameIndex.clear();
    m_directoryRead = false;
    if (m_file)
        m_file->Close();
    if (!OpenFile(0))
        return false;

    auto fail = [this]() {
        m_entries.clear();
        m_nameIndex.clear();
        m_file->Close();
        return false;
    };

    CVirtualFile& file = *m_file;
    const uint32_t size = file.GetSize();
    uint8_t end[kEndRecordSize];
    if (size < kEndRecordSize || !file.Seek(size - kEndRecordSize) || file.Read(end, kEndRecordSize) != kEndRecordSize)
        return fail();
    // Only an end record without a comment is looked for.
    const uint32_t signature = LoadU32Le(end);
    if (signature != kEndSignature && signature != kVariantEndSignature)
        return fail();
    const uint32_t count = LoadU16Le(end + 10);
    const uint32_t directoryOffset = LoadU32Le(end + 16);
    if (directoryOffset == 0xFFFFFFFFu || directoryOffset > size - kEndRecordSize)
        return fail();

    m_entries.reserve(count);
    uint64_t position = directoryOffset;
    uint8_t word[4];
    if (count > 0 && (!file.Seek(directoryOffset) || file.Read(word, 4) != 4))
        return fail();
    position += 4;
    std::vector<char> name;
    while (m_entries.size() < count) {
        // Every header must be a central one: a directory that ends before its count is refused.
        if (LoadU32Le(word) != CZipEntry::kCentralSignature)
            return fail();
        uint8_t header[CZipEntry::kHeaderSize];
        if (file.Read(header, sizeof header) != sizeof header)
            return fail();
        const uint32_t nameLength = LoadU16Le(header + CZipEntry::NAME_LENGTH);
        name.resize(nameLength);
        if (nameLength && file.Read(name.data(), nameLength) != nameLength)
            return fail();
        if (LoadU16Le(header + CZipEntry::METHOD) != 0) {
            compressed = true;
            return fail();
        }
        auto entry = std::make_unique<CZipEntry>(m_prefix + std::string(name.data(), nameLength), header);
        entry->SetPrefixLength(static_cast<uint32_t>(m_prefix.size()));
        m_entries.push_back(std::move(entry));

        // The extra field and comment are not kept; the next signature follows them.
        position += sizeof header + nameLength + LoadU16Le(header + CZipEntry::EXTRA_LENGTH) +
                    LoadU16Le(header + CZipEntry::COMMENT_LENGTH);
        if (position + 4 > size || !file.Seek(static_cast<uint32_t>(position)) || file.Read(word, 4) != 4)
            return fail();
        position += 4;
    }

    m_endSignature = signature;
    m_fileSize = size;
    std::memcpy(m_endRecord, end, sizeof end);
    m_directoryRead = true;
    SortEntries();
    CloseFileIfUnused();
    return true;
}

void CZipArchive::EnsureDirectory(std::unique_lock<std::recursive_mutex>& lock)
{
    if (m_directoryRead || ReadDirectoryOrEnd(lock))
        return;
    const std::string path = m_path;
    lock.unlock();
    FatalWithPath(s_zipErrorCaption, s_zipErrorText, path);
}

void CZipArchive::SortEntries()
{
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const std::unique_ptr<CZipEntry>& a, const std::unique_ptr<CZipEntry>& b) {
                         return a->GetLocalOffset() < b->GetLocalOffset();
                     });
    m_nameIndex.resize(m_entries.size());
    std::iota(m_nameIndex.begin(), m_nameIndex.end(), 0u);
    std::stable_sort(m_nameIndex.begin(), m_nameIndex.end(), [this](uint32_t a, uint32_t b) {
        return CompareTextNoCase(m_entries[a]->GetFullName().c_str(), m_entries[b]->GetFullName().c_str()) < 0;
    });
}

CZipEntry* CZipArchive::FindEntryByName(const char* fullName, uint32_t* insertion)
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    auto found = std::lower_bound(m_nameIndex.begin(), m_nameIndex.end(), fullName, [this](uint32_t index, const char* name) {
        return CompareTextNoCase(m_entries[index]->GetFullName().c_str(), name) < 0;
    });
    if (insertion)
        *insertion = static_cast<uint32_t>(found - m_nameIndex.begin());
    if (found == m_nameIndex.end() || CompareTextNoCase(m_entries[*found]->GetFullName().c_str(), fullName) != 0)
        return nullptr;
    return m_entries[*found].get();
}

bool CZipArchive::IsUnderPrefix(const char* name) const
{
    return name && BeginsWithNoCase(name, FolderLength(name), m_prefix.c_str(), m_prefix.size());
}

bool CZipArchive::FindEntry(const char* fullName, bool& writable)
{
    writable = false;
    std::unique_lock<std::recursive_mutex> lock(m_lock);
    if (!IsUnderPrefix(fullName))
        return false;
    EnsureDirectory(lock);
    if (!FindEntryByName(fullName, nullptr))
        return false;
    writable = m_writable && CFileSystem::IsFileWritable(m_path.c_str(), m_openFlags);
    return true;
}

uint64_t CZipArchive::GetEntryFileTime(const char* fullName)
{
    std::unique_lock<std::recursive_mutex> lock(m_lock);
    if (!IsUnderPrefix(fullName))
        return 0;
    EnsureDirectory(lock);
    if (const CZipEntry* entry = FindEntryByName(fullName, nullptr))
        return entry->GetFileTime();
    return CFileSystem::GetFileTimeStamp(m_path.c_str(), m_openFlags, FILE_TIME_LAST_WRITE);
}

void CZipArchive::EnumerateEntries(CFileVisitor& visitor, const CFileSearchSpec& spec)
{
    std::unique_lock<std::recursive_mutex> lock(m_lock);
    // The folder and the prefix must agree as far as the shorter goes: a folder above the
    // prefix sees every entry, one below it the entries under it.
    const char* folder = spec.GetFolder();
    const size_t common = std::min(std::strlen(folder), m_prefix.size());
    if (spec.GetExtensionCount() == 0 || CompareTextNoCaseN(folder, m_prefix.c_str(), common) != 0)
        return;
    EnsureDirectory(lock);
    for (int i = 0; i < spec.GetExtensionCount(); ++i)
        ListEntries(visitor, spec, spec.GetExtension(i).CStr());
}

void CZipArchive::ListEntries(CFileVisitor& visitor, const CFileSearchSpec& spec, const std::string& extension)
{
    const char* folder = spec.GetFolder();
    const size_t folderLength = std::strlen(folder);
    const uint32_t mode = spec.GetRecursionMode();
    const bool bare = spec.GetNamesWithoutFolders();
    const char* namePrefix = spec.GetNamePrefix();
    const size_t namePrefixLength = std::strlen(namePrefix);

    uint32_t start = 0;
    FindEntryByName(folder, &start);
    for (uint32_t i = start; i < m_nameIndex.size(); ++i) {
        CZipEntry& entry = *m_entries[m_nameIndex[i]];
        const std::string& name = entry.GetFullName();
        if (!BeginsWithNoCase(name.c_str(), name.size(), folder, folderLength))
            break;
        const char* relative = name.c_str() + folderLength;

        if (!spec.IsFindingFolders()) {
            // Entries that stand for folders ("Ball/") are no files.
            if (name.empty() || name.back() == '/')
                continue;
            if (!extension.empty() && !HasExtension(name, extension))
                continue;
            if (mode == CFileSearchSpec::RECURSE_SKIP_DASHED && HasDashedFolder(relative))
                continue;
            const char* reported = bare ? name.c_str() + FolderLength(name.c_str()) : name.c_str();
            entry.SetListed(visitor.Dispatch(reported, entry.GetSize(), entry.GetFileTime()));
            continue;
        }

        // The folders along the entry's path below the searched folder.
        const char* lastSlash = std::strrchr(relative, '/');
        if (!lastSlash)
            continue;
        const size_t foldersLength = static_cast<size_t>(lastSlash - relative);
        size_t segmentStart = 0;
        while (segmentStart < foldersLength) {
            const char* segment = relative + segmentStart;
            const char* segmentEnd = std::strchr(segment, '/');
            const size_t segmentLength = static_cast<size_t>(segmentEnd - segment);
            if (segmentLength > 0 && BeginsWithNoCase(segment, segmentLength, namePrefix, namePrefixLength)) {
                const std::string reported =
                    bare ? std::string(segment, segmentLength) : name.substr(0, folderLength + segmentStart + segmentLength);
                visitor.Dispatch(reported.c_str(), 0, 0);
            }
            if (mode == CFileSearchSpec::RECURSE_NONE)
                break;
            if (mode == CFileSearchSpec::RECURSE_SKIP_DASHED && segment[0] == '-')
                break;
            segmentStart += segmentLength + 1;
        }
    }
}

bool CZipArchive::LocateData(CZipEntry& entry)
{
    uint8_t header[CZipEntry::kLocalHeaderSize];
    const uint32_t offset = entry.GetLocalOffset();
    if (!m_file->Seek(offset) || m_file->Read(header, sizeof header) != sizeof header ||
        LoadU32Le(header) != CZipEntry::kLocalSignature)
        return false;
    // The local header's own name and extra lengths: writers put longer extra fields here than
    // in the central directory.
    const uint64_t start = static_cast<uint64_t>(offset) + sizeof header + LoadU16Le(header + 26) + LoadU16Le(header + 28);
    if (start + entry.GetCompressedSize() > m_file->GetSize() || start + entry.GetSize() > m_file->GetSize())
        return false;
    entry.SetDataStart(static_cast<uint32_t>(start));
    return true;
}

CZipEntryStream* CZipArchive::OpenEntry(const char* fullName, uint32_t flags)
{
    std::unique_lock<std::recursive_mutex> lock(m_lock);
    if (!IsUnderPrefix(fullName))
        return nullptr;
    EnsureDirectory(lock);
    if (m_entries.empty())
        return nullptr;
    CZipEntry* entry = FindEntryByName(fullName, nullptr);
    if (!entry || ((flags & VF_LISTED_ONLY) && !entry->IsListed()))
        return nullptr;

    if (flags & VF_CREATE) {
        entry = BeginRewrite(entry);
        if (!entry)
            return nullptr;
        // The rewrite writes through the archive's own file, which is open for writing.
        flags = (flags | VF_WRITE) & ~VF_PRIVATE_HANDLE;
    } else {
        flags &= ~VF_WRITE;
        if (entry->GetDataStart() == 0) {
            const bool ok = (IsFileOpen() || OpenFile(0)) && LocateData(*entry);
            if (!ok) {
                CloseFileIfUnused();
                return nullptr;
            }
        }
    }

    auto* stream = new CZipEntryStream();
    const bool attached = stream->Attach(entry->GetDataStart(), entry, m_file.get(), m_path.c_str(), this, flags);
    if (!attached) {
        delete stream;
        stream = nullptr;
    }
    CloseFileIfUnused();
    return stream;
}

bool CZipArchive::AttachSharedStream()
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    if (!IsFileOpen() && !OpenFile(0))
        return false;
    ++m_openStreams;
    return true;
}

void CZipArchive::AttachPrivateStream()
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    ++m_privateStreams;
}

bool CZipArchive::ReleaseStream(bool shared, bool rewrote)
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    if (!shared) {
        if (m_privateStreams > 0)
            --m_privateStreams;
        return true;
    }
    if (m_openStreams > 0)
        --m_openStreams;
    bool ok = true;
    if (rewrote && m_changed && IsFileOpen() && (m_file->GetOpenFlags() & VF_WRITE)) {
        ok = RewriteDirectory();
        // Streams still reading other entries keep the file; otherwise it is closed.
        if (m_openStreams == 0)
            ok = m_file->Close() && ok;
    }
    CloseFileIfUnused();
    return ok;
}
