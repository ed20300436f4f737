// Reads the module database from arbitrary bytes, as the version check reads a download: damage
// must be refused (an empty list), never end the program. A database that was read must write,
// read back whole, and write again to the same text.
#include "online/DownloadableModuleList.h"
#include "platform/Platform.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void AbortOnFatal(const char* caption, const char* text)
{
    std::fprintf(stderr, "fatal end while reading a module database: %s: %s\n", caption, text);
    std::abort();
}

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "module database check failed: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::SetFatalHandler(&AbortOnFatal);
    CDownloadableModuleList list;
    if (!list.ReadDatabase(data, size)) {
        Check(list.GetModuleCount() == 0, "a refused database leaves no modules");
        return 0;
    }
    const CSharedString written = list.WriteDatabase();
    CDownloadableModuleList again;
    Check(again.ReadDatabase(written.CStr(), written.GetLength()), "reading what was written");
    Check(again.GetModuleCount() == list.GetModuleCount(), "the same number of modules");
    const CSharedString rewritten = again.WriteDatabase();
    Check(std::strcmp(written.CStr(), rewritten.CStr()) == 0, "the same text from a second write");
    return 0;
}
