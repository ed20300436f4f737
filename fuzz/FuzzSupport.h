#pragma once
// What the fuzz targets share: fatal ends turned into an exception for the length of one input
// (so that one input cannot stop the run), the headless message boxes cleared after it (so that
// they do not pile up from input to input), and files over the input's bytes.
#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
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

// Opens the file over a memory copy of the input, at position 0.
inline void OpenOver(CVirtualFile& file, const uint8_t* data, size_t size)
{
    file.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    if (size)
        file.Write(data, static_cast<uint32_t>(size));
    file.Seek(0);
}

} // namespace fuzzsupport
