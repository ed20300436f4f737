#pragma once
// Static operations over the virtual file system: searches over the disk and the mounted
// archives at once, whole-file reads and writes, existence, writability, file times, deletion
// and unique names. Names are relative to the base folder unless the flags hold VF_VERBATIM,
// which also keeps the archives out.
#include "foundation/FileSearchSpec.h"
#include "foundation/FileVisitor.h"
#include "foundation/VirtualFile.h"

#include <cstddef>
#include <cstdint>

class CFileSystem
{
public:
    // Passes every file (or sub-folder) the search spec finds to the visitor: first those on disk, then
    // the entries of the mounted archives, so that a visitor that skips names it already holds
    // keeps a disk file over an archive entry of the same name. Returns the visitor's count.
    // Names are relative to the base folder (the full given path with VF_VERBATIM), or bare when
    // the search spec asks for names without folders. A found disk name holding '~' ends the program.
    static uint32_t EnumerateFiles(CFileVisitor& visitor, const CFileSearchSpec& spec, uint32_t flags);
    static uint32_t CountFiles(const CFileSearchSpec& spec, uint32_t flags);
    // Collects the names into a caller's table (slot i at i x stride bytes, names up to
    // stride - 1 characters; a longer one ends the program), and when values is not null each
    // size as a u32 at the same offset there. Names beyond the capacity are dropped; duplicates
    // are kept once. Returns the number collected.
    static uint32_t FindFilesIntoTable(const CFileSearchSpec& spec, char* names, void* values, uint32_t stride,
                                       uint32_t capacity, uint32_t flags);

    // True only when the file's size is exactly n and all n bytes were read.
    static bool ReadWholeFile(const char* name, void* buffer, uint32_t n);
    // Creates (or empties) the file and writes the bytes; false when it cannot be opened or any
    // byte could not be stored (an existing disk file then keeps its old contents).
    static bool WriteWholeFile(const char* name, const void* bytes, uint32_t n);
    // Deletes the disk file (archives are never touched); true on success.
    static bool RemoveFile(const char* name, uint32_t flags);
    // Whether the name opens for reading, as a disk file or an archive entry.
    static bool FileExists(const char* name, uint32_t flags);
    // The archive's answer when a mounted archive holds the name, else IsPathWritable of the
    // disk path.
    static bool IsFileWritable(const char* name, uint32_t flags);
    // The disk file's creation (which = 1), last-access (2) or last-write (other) time as a
    // FILETIME; when the disk has no such file, the archive entry's time; 0 when neither knows it.
    static uint64_t GetFileTimeStamp(const char* name, uint32_t flags, uint32_t which);
    // Sets the disk file's last-access (bit 2) and last-write (bit 4) times; the creation time
    // (bit 1) cannot be set. True on success.
    static bool SetFileTimeStamp(const char* name, uint64_t time, uint32_t flags, uint32_t whichBits);
    // The first name the pattern (printf, one integer conversion) makes with 0, 1, 2, ... that
    // names nothing on disk; relative to the base folder unless VF_VERBATIM. False when none fits.
    static bool MakeUniqueFileName(char* out, size_t size, const char* pattern, uint32_t flags);
    template <size_t N>
    static bool MakeUniqueFileName(char (&out)[N], const char* pattern, uint32_t flags)
    {
        return MakeUniqueFileName(out, N, pattern, flags);
    }
    // Mounts the data archives at start-up (see MountArchives.h): the program file or the data
    // folder's ".ZIP"/".DAT" archive, the "*.KTD" archives, then every zip under the data folder,
    // which becomes the base folder. The start-up passes "Data" and false, false. A second mount
    // ends the program.
    static void MountArchives(const char* dataFolder, bool skipRootArchives, bool skipDataZips);
    // Drops every mounted archive when any is mounted (true then); names read from disk after.
    static bool UnmountArchives();

    // The folder under which loaders keep their cached files.
    static const char* GetCacheFolderName() { return "Cache"; }

    // Copies a file: the source opened with its extra flags plus VF_READ, the destination with
    // its extra flags plus VF_CREATE and VF_WRITE. False when either cannot be opened or the
    // copy or the close fails (a created destination then keeps its old contents).
    static bool CopyFileWithProgress(const char* sourceName, uint32_t sourceFlags, const char* destinationName,
                                     uint32_t destinationFlags, FileProgressCallback progress);
};
