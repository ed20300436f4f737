#pragma once
// A zip archive of stored (uncompressed) entries, built in memory, as the game's archive reader
// takes it: no extra fields, no comments, no data descriptors. The same entries added in the
// same order give the same bytes on every machine: entries keep their order and all carry one
// fixed date and time.
//
// The rule a caller must know: names use '/' between folders and are unique ignoring case,
// since the reader looks them up ignoring case.
#include <cstdint>
#include <string>
#include <vector>

class CStoredZipWriter
{
public:
    // The date and time of every entry, in DOS form: 1 January 2020, 00:00.
    static constexpr uint16_t kDosDate = ((2020 - 1980) << 9) | (1 << 5) | 1;
    static constexpr uint16_t kDosTime = 0;

    // Appends an entry. False, with nothing added, for an empty name, a name with '\' or a
    // leading '/', a name another entry already has (ignoring case), or when the archive would
    // outgrow what zip's 16- and 32-bit fields count.
    bool AddEntry(const std::string& name, const std::vector<uint8_t>& bytes);

    // The whole archive: the local records in order, the central directory, the end record.
    std::vector<uint8_t> Finish() const;

    size_t GetEntryCount() const { return m_entries.size(); }

private:
    struct Entry
    {
        std::string m_name;
        uint32_t m_crc;
        uint32_t m_size;
        uint32_t m_offset;
    };

    std::vector<Entry> m_entries;
    std::vector<uint8_t> m_records; // the local headers and data written so far
    uint64_t m_directorySize = 0;   // the central headers the entries will need
};
