#pragma once
// Collects found names into a caller's fixed table: slot i of the name table starts at
// i x stride bytes; when a value table is given, each name's size goes to the same offset there
// as a u32. Names beyond the capacity are dropped; a name too long for its slot ends the program.
#include "foundation/FileVisitor.h"

#include <cstddef>
#include <cstdint>

class CFileNameCollector : public CFileVisitor
{
public:
    // maxNameLength is at most stride - 1, so that every name keeps its terminator.
    CFileNameCollector(char* names, void* values, uint32_t stride, uint32_t capacity, uint32_t maxNameLength);

    uint32_t GetCount() override { return m_count; }
    void Visit(const char* name, const CFileInfo& info) override;
    // Whether the name is already in the table, ignoring case.
    bool ShouldSkip(const char* name) override;

    const char* GetName(uint32_t slot) const { return m_names + static_cast<size_t>(slot) * m_stride; }

private:
    uint32_t m_count = 0;
    uint32_t m_capacity;
    uint32_t m_nextSlot = 0;
    uint32_t m_maxNameLength;
    char* m_names;
    uint8_t* m_values;
    uint32_t m_stride;
};
