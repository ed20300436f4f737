#pragma once
// A list of found files with their sizes and times, filled by a search. A name is kept once:
// the first finder wins, so a disk file hides an archive entry of the same name.
#include "foundation/FileVisitor.h"
#include "foundation/SharedString.h"

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

class CFileSearchSpec;

class CFoundFileList : public CFileVisitor
{
public:
    struct Record
    {
        CSharedString m_name;
        uint32_t m_size = 0;
        uint64_t m_lastWrite = 0;
    };

    uint32_t GetCount() override { return static_cast<uint32_t>(m_records.size()); }
    void Visit(const char* name, const CFileInfo& info) override;
    // Whether a record of that name exists, ignoring case.
    bool ShouldSkip(const char* name) override;

    // Forgets the old records and searches again; returns the number found.
    uint32_t Find(const CFileSearchSpec& spec);
    void Clear();

    const CSharedString& GetName(uint32_t index) const { return m_records[index].m_name; }
    uint32_t GetSize(uint32_t index) const { return m_records[index].m_size; }
    uint64_t GetLastWriteTime(uint32_t index) const { return m_records[index].m_lastWrite; }
    const Record& GetRecord(uint32_t index) const { return m_records[index]; }

private:
    std::vector<Record> m_records;
    std::unordered_set<std::string> m_foldedNames; // the names in lower case, for ShouldSkip
};
