#pragma once
// What the file layer needs of the mounted archives. The file layer starts with the archive set
// (GetDefaultArchiveProvider); another provider can be installed with CStream::SetArchiveProvider.
// Until archives are mounted, names open, list and date from disk only.
#include <cstdint>

class CStream;
class CFileSearchSpec;
class CFileVisitor;

class CArchiveStreamProvider
{
public:
    // Whether any archive is mounted; archives are consulted only then.
    virtual bool HasMountedArchives() const = 0;
    // An entry of the mounted archives as a new stream, or null (the archive set's OpenEntry:
    // with VF_LISTED_ONLY only entries an enumeration has listed; with VF_CREATE a rewrite).
    virtual CStream* OpenEntry(const char* name, uint32_t flags) = 0;
    // A new stored entry appended to the zip file at zipPath (the "zip;entry" names), or null.
    virtual CStream* CreateAppendedEntry(const char* zipPath, const char* entryName) = 0;

    // The searches of CFileSystem, after the disk has been searched (so a visitor that skips
    // names it holds keeps a disk file over an entry of the same name). The archive set's
    // EnumerateEntries: passes the matching entries (or folders) to visitor.Dispatch, with the
    // search spec's folder and names relative to the base folder, and keeps each result as the
    // entry's listed flag.
    virtual void EnumerateEntries(CFileVisitor& visitor, const CFileSearchSpec& spec)
    {
        (void)visitor;
        (void)spec;
    }
    // Whether an archive answers for the name; writable receives whether it may be rewritten.
    virtual bool FindEntry(const char* name, bool& writable)
    {
        (void)name;
        writable = false;
        return false;
    }
    // The entry's time as a UTC FILETIME, 0 when no archive answers for the name.
    virtual uint64_t GetEntryFileTime(const char* name)
    {
        (void)name;
        return 0;
    }

protected:
    ~CArchiveStreamProvider() = default;
};

// The provider the file layer starts with: the archive set.
CArchiveStreamProvider* GetDefaultArchiveProvider();
