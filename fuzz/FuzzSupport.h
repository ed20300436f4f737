#pragma once
// What the fuzz targets share: fatal ends turned into an exception for the length of one input
// (so that one input cannot stop the run), the headless message boxes cleared after it (so that
// they do not pile up from input to input), and files over the input's bytes.
#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "graphics/Frame.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessBackend.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

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

// Writes the input as the file of that name (in the work folder), for readers that open files by
// name.
inline void WriteInput(const char* path, const uint8_t* data, size_t size)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Ends the run on a broken promise of the code under test.
inline void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// A plain 32-bit frame of w x h whose pixel (x, y) is pixelOf(x, y), its hot spot at (hotX, hotY)
// from its top-left corner: the frames the targets' seed writers save.
template <class PixelOf>
CFrame* NewFrame32(uint32_t w, uint32_t h, int16_t hotX, int16_t hotY, PixelOf pixelOf)
{
    auto* frame = new CFrame;
    frame->Create(w, h, 32);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            const uint32_t pixel = pixelOf(x, y);
            std::memcpy(frame->GetPixels() + (size_t{frame->GetRowOffsets()[y]} + x) * 4, &pixel, 4);
        }
    frame->SetOrigin(static_cast<int16_t>(-hotX), static_cast<int16_t>(-hotY));
    return frame;
}

// Makes a fresh folder under the temporary folder the current and base folder, once per process,
// for the targets whose readers open files by name. Without TMPDIR the folder lies on a memory
// file system where there is one, since saves flush their files. A run that ends normally removes
// it; one that ends on a finding leaves it for a look.
inline void EnterWorkFolder()
{
    static std::string s_folder;
    if (!s_folder.empty())
        return;
    const char* temp = std::getenv("TMPDIR");
    const std::string base = temp && *temp ? temp : std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    s_folder = base + "/vantorel-fuzz-XXXXXX";
    if (!::mkdtemp(s_folder.data()) || ::chdir(s_folder.c_str()) != 0)
        std::abort();
    SetBaseFolder(".");
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(s_folder, ignored);
    });
}

// Once per process, before the first input: enters a fresh work folder and, when the corpus runner
// was asked to (VANTOREL_WRITE_SEEDS names the folder, taken as it stood before the work folder was
// entered), writes the target's seeds there.
inline void PrepareOnce(void (*writeSeeds)(const std::string& folder))
{
    static bool s_prepared = false;
    if (s_prepared)
        return;
    s_prepared = true;
    const char* folder = std::getenv("VANTOREL_WRITE_SEEDS");
    const std::string seeds = folder ? std::filesystem::absolute(folder).string() : std::string();
    EnterWorkFolder();
    if (!seeds.empty())
        writeSeeds(seeds);
}

} // namespace fuzzsupport
