// Loads the player statistics file from arbitrary bytes, in either of its forms, the way the game
// reads "Stats.dat" at start-up: damage must give the defaults (and keep the file aside), never end
// the program. Whatever was read must save, load back whole, and save again to the same bytes
// (equal bytes being equal text, and so equal statistics).
#include "platform/Files.h"
#include "platform/Platform.h"
#include "shell/stats/Stats.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

[[noreturn]] void AbortOnFatal(const char* caption, const char* text)
{
    std::fprintf(stderr, "fatal end while reading statistics: %s: %s\n", caption, text);
    std::abort();
}

std::string s_folder;

void RemoveWorkFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(s_folder, ignored);
}

// A folder of this process's own, on a memory file system where there is one (saves flush),
// removed when the process ends.
const std::string& WorkFolder()
{
    if (s_folder.empty()) {
        std::string base = platform::IsDirectory("/dev/shm") ? "/dev/shm/" : platform::GetTempFolder();
        s_folder = base + "vantorel_fuzz_stats_" + std::to_string(::getpid()) + "/";
        platform::MakeDirectories(s_folder.c_str());
        std::atexit(&RemoveWorkFolder);
    }
    return s_folder;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "statistics file check failed: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::SetFatalHandler(&AbortOnFatal);
    const std::string path = WorkFolder() + "Stats.dat";
    const std::string kept = path + CStats::kDamagedSuffix;
    platform::RemoveFile(kept.c_str());
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    CStats stats;
    const bool read = stats.Load(path.c_str());
    Check(stats.GetPlayerCount() > 0 && stats.GetCurrentPlayer() != nullptr, "a current profile after loading");
    Check(read || size == 0 || platform::FileExists(kept.c_str()), "a damaged file is kept");
    Check(stats.LoadFromBytes(data, static_cast<uint32_t>(size)) == read, "bytes read alike from file and memory");

    Check(stats.Save(), "saving what was read");
    const std::string saved = ReadBytes(path);
    CStats again;
    Check(again.Load(path.c_str()), "loading what was saved");
    Check(again.Save(), "saving again");
    Check(ReadBytes(path) == saved, "the same bytes from a second save");
    return 0;
}
