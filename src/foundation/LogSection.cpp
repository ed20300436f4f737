#include "foundation/LogSection.h"

namespace {

int s_depth = 0;
FILE* s_logFile = nullptr;

} // namespace

void BeginLogSection(const char* name)
{
    if (s_logFile)
        std::fprintf(s_logFile, "*** %s ***\n", name ? name : "");
    ++s_depth;
}

void EndLogSection()
{
    const int before = s_depth--;
    if (s_logFile)
        std::fprintf(s_logFile, "*** %s ***\n", before == 1 ? "END of all active section" : "section done");
}

void SetLogSectionFile(FILE* file)
{
    s_logFile = file;
}

int GetLogSectionDepth()
{
    return s_depth;
}
