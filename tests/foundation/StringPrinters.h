#pragma once
// Readable failure messages for the foundation's string types.
#include "foundation/SharedString.h"

#include <ostream>

inline void PrintTo(const CSharedString& s, std::ostream* out)
{
    if (!s.IsWide()) {
        *out << '"' << s.CStr() << '"';
        return;
    }
    *out << "u\"";
    for (const char16_t* p = s.CWideStr(); *p; ++p) {
        if (*p >= 0x20 && *p < 0x7F)
            *out << static_cast<char>(*p);
        else
            *out << "\\u" << std::hex << static_cast<unsigned>(*p) << std::dec;
    }
    *out << '"';
}
