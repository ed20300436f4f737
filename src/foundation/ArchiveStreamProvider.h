#pragma once
// What the stream chooser needs of the mounted archives. The archive set installs itself with
// CStream::SetArchiveProvider; until then no archive is mounted and names open from disk only.
#include <cstdint>

class CStream;

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

protected:
    ~CArchiveStreamProvider() = default;
};
