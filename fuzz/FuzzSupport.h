#pragma once
// What the fuzz targets share: fatal ends turned into an exception for the length of one input
// (so that one input cannot stop the run), and the headless message boxes cleared after it (so
// that they do not pile up from input to input).
#include "platform/Platform.h"
#include "platform/headless/HeadlessBackend.h"

namespace fuzzsupport {

struct FatalEnd
{
};

class FatalScope
{
public:
    FatalScope() : m_previous(platform::SetFatalHandler(&Throw)) {}
    ~FatalScope()
    {
        platform::SetFatalHandler(m_previous);
        if (auto* headless = dynamic_cast<platform::HeadlessBackend*>(&platform::GetBackend()))
            headless->ClearMessageBoxes();
    }
    FatalScope(const FatalScope&) = delete;
    FatalScope& operator=(const FatalScope&) = delete;

private:
    static void Throw(const char*, const char*) { throw FatalEnd(); }
    platform::FatalHandler m_previous;
};

} // namespace fuzzsupport
