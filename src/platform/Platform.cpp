#include "platform/Platform.h"

#include <atomic>
#include <cstdlib>

namespace platform {

namespace {
std::atomic<FatalHandler> s_fatalHandler{nullptr};
}

FatalHandler SetFatalHandler(FatalHandler handler)
{
    return s_fatalHandler.exchange(handler);
}

FatalHandler GetFatalHandler()
{
    return s_fatalHandler.load();
}

void FatalExit(const char* caption, const char* text)
{
    ShowMessageBox(caption ? caption : "", text ? text : "");
    if (FatalHandler handler = s_fatalHandler.load())
        handler(caption, text);
    std::exit(255);
}

} // namespace platform
