#pragma once
// Receivers of the names a file-system search finds, on disk and in the mounted archives.
#include <cstdint>

// What a search tells about each name it finds.
struct CFileInfo
{
    uint32_t m_size = 0;      // bytes (at most 0xFFFFFFFF)
    uint64_t m_lastWrite = 0; // FILETIME, UTC
};

class CFileVisitor
{
public:
    virtual ~CFileVisitor() = default;

    // The visitor's result count.
    virtual uint32_t GetCount() = 0;
    // Takes one found name.
    virtual void Visit(const char* name, const CFileInfo& info) = 0;
    // Whether the name is to be passed over (a visitor that keeps names skips duplicates).
    virtual bool ShouldSkip(const char* name) = 0;

    // Visits the name unless it is skipped; the result says whether it was visited. Archive
    // enumerations keep it as the entry's listed flag.
    bool Dispatch(const char* name, uint32_t size, uint64_t lastWrite);
};

// Counts what it is given.
class CFileCounter : public CFileVisitor
{
public:
    uint32_t GetCount() override { return m_count; }
    void Visit(const char*, const CFileInfo&) override { ++m_count; }
    bool ShouldSkip(const char*) override { return false; }

private:
    uint32_t m_count = 0;
};
