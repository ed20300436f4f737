#pragma once
// The list of round layouts as the playfield needs it until the layout collections arrive: the
// file path of each entry by index. Index 0 is the "!None" entry.
//
// The rule a caller must know: an index without an entry answers an empty path.
#include "foundation/SharedString.h"

#include <cstdint>
#include <vector>

class CBrickLayoutCollection
{
public:
    static CBrickLayoutCollection& GetInstance();

    // Appends an entry of the path; its index.
    uint32_t Add(const char* path);
    void Clear() { m_paths.clear(); }
    void GetItemFilePath(uint32_t i, CSharedString& path) const;

private:
    CBrickLayoutCollection();

    std::vector<CSharedString> m_paths;
};
