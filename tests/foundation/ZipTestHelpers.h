#pragma once
// Helpers of the zip tests: fixture trees, archives made by Info-ZIP's zip and by Python's
// zipfile (the independent writers and checkers), and reading entries back through the reader.
#include "FileTestHelpers.h"
#include "foundation/FileSystem.h"
#include "foundation/FileTimes.h"
#include "foundation/VirtualFile.h"
#include "foundation/ZipArchive.h"
#include "foundation/ZipArchiveSet.h"
#include "foundation/ZipEntryStream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace ziptest {

using Files = std::map<std::string, std::string>;

// Bytes that differ from entry to entry and from offset to offset.
inline std::string PatternBytes(size_t n, uint32_t seed)
{
    std::string bytes(n, '\0');
    uint32_t x = seed * 2654435761u + 1;
    for (size_t i = 0; i < n; ++i) {
        x = x * 1664525u + 1013904223u;
        bytes[i] = static_cast<char>(x >> 24);
    }
    return bytes;
}

// The FILETIME of a moment of this machine's local time, as DOS dates and times in zip entries hold.
inline uint64_t LocalFileTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return UnixTimeToFileTime(std::mktime(&local), 0);
}

// Large contents are compared without printing them.
inline testing::AssertionResult SameBytes(const std::string& expected, const std::string& actual)
{
    if (expected == actual)
        return testing::AssertionSuccess();
    size_t first = 0;
    while (first < expected.size() && first < actual.size() && expected[first] == actual[first])
        ++first;
    return testing::AssertionFailure() << expected.size() << " bytes expected, " << actual.size()
                                       << " read, first difference at " << first;
}

// Writes each file below the folder, making its sub-folders.
inline void WriteTree(const std::filesystem::path& folder, const Files& files)
{
    for (const auto& [name, bytes] : files) {
        const std::filesystem::path path = folder / name;
        std::filesystem::create_directories(path.parent_path());
        testsupport::WriteFileBytes(path, bytes);
    }
}

inline bool HaveTool(const char* tool)
{
    return testsupport::RunCommand(std::string("command -v ") + tool + " >/dev/null 2>&1") == 0;
}

// Runs Info-ZIP's zip in the folder: zip <options> <archive> <names>.
inline int RunZip(const std::filesystem::path& folder, const std::string& options, const std::string& archive,
                  const std::string& names)
{
    return testsupport::RunCommand("cd '" + folder.string() + "' && zip -q " + options + " '" + archive + "' " + names +
                                   " >/dev/null 2>&1");
}

// "unzip -t" of the archive: 0 when every entry tests good.
inline int UnzipTest(const std::string& archive)
{
    return testsupport::RunCommand("unzip -tqq '" + archive + "' >/dev/null 2>&1");
}

// Writes the files, in order, into a stored archive with Python's zipfile. Each name's bytes
// come from the file of that name below the folder.
inline int PythonZip(const std::filesystem::path& folder, const std::string& archive, const std::string& names,
                     const std::string& options = "")
{
    // Options: "comment" adds an archive comment; "stream" writes through an unseekable file, so
    // that sizes and CRC follow each entry's data in a descriptor; "deflate" compresses.
    const char* script = R"(
import sys, zipfile
folder, archive, options, names = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
class Unseekable:
    def __init__(self, f): self.f = f
    def write(self, b): return self.f.write(b)
    def flush(self): self.f.flush()
method = zipfile.ZIP_DEFLATED if 'deflate' in options else zipfile.ZIP_STORED
with open(archive, 'wb') as raw:
    with zipfile.ZipFile(Unseekable(raw) if 'stream' in options else raw, 'w', method) as z:
        if 'comment' in options:
            z.comment = b'a comment'
        for name in names:
            with open(folder + '/' + name, 'rb') as f:
                data = f.read()
            info = zipfile.ZipInfo(name, (2020, 1, 2, 3, 4, 6))
            info.compress_type = method
            z.writestr(info, data)
)";
    return filetest::RunPython(folder, script,
                               "'" + folder.string() + "' '" + archive + "' '" + options + "' " + names);
}

// Python's test of an archive: 0 when every entry reads back with its CRC.
inline int PythonCheck(const std::filesystem::path& folder, const std::string& archive)
{
    const char* script = R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    sys.exit(1 if z.testzip() is not None else 0)
)";
    return filetest::RunPython(folder, script, "'" + archive + "'");
}

// The whole entry read through a stream of the archive; "<none>" when it does not open.
inline std::string ReadEntry(CZipArchive& archive, const char* name, uint32_t flags = VF_READ)
{
    std::unique_ptr<CZipEntryStream> stream(archive.OpenEntry(name, flags));
    if (!stream)
        return "<none>";
    std::string bytes(stream->GetSize(), '\0');
    const uint32_t got = bytes.empty() ? 0 : stream->Read(bytes.data(), static_cast<uint32_t>(bytes.size()));
    bytes.resize(got);
    return bytes;
}

// The whole file read through the virtual file system.
inline std::string ReadVirtualFile(const char* name, uint32_t flags = VF_READ)
{
    CVirtualFile file;
    if (!file.Open(name, flags))
        return "<none>";
    std::string bytes(file.GetSize(), '\0');
    const uint32_t got = bytes.empty() ? 0 : file.Read(bytes.data(), static_cast<uint32_t>(bytes.size()));
    bytes.resize(got);
    return bytes;
}

// An archive opened at once with the given prefix, owned as the archive set owns its archives.
inline std::shared_ptr<CZipArchive> OpenArchive(const std::string& path, const char* prefix = "", bool writable = false,
                                                bool deferred = false)
{
    auto archive = std::make_shared<CZipArchive>();
    if (!archive->Open(path.c_str(), writable, prefix, deferred, VF_VERBATIM))
        return nullptr;
    return archive;
}

// Leaves the archive set unmounted after a test.
class MountGuard
{
public:
    ~MountGuard()
    {
        CZipArchiveSet& set = CZipArchiveSet::GetInstance();
        set.UnmountAll();
        set.SetMounted(false);
    }
};

} // namespace ziptest
