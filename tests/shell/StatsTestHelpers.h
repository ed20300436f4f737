#pragma once
// Helpers of the statistics tests: a current folder of the test's own, the object text of a
// statistics object, and profiles and games made the way the dialogs and the playfield make them.
#include "../foundation/FileTestHelpers.h"
#include "TestSupport.h"
#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "objects/ObjectTextStream.h"
#include "shell/stats/Stats.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>

namespace statstest {

// The test's own folder, made current: the statistics file lies in the current folder.
using WorkFolder = filetest::WorkFolder;

inline bool Exists(const WorkFolder& folder, const std::string& name)
{
    return std::filesystem::exists(folder / name);
}

inline std::string Read(const WorkFolder& folder, const std::string& name)
{
    return testsupport::ReadFileBytes(folder / name);
}

// The object's text as the statistics file holds it once decompressed.
inline std::string TextOf(const CObject& object)
{
    CObjectTextStream stream;
    stream.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    object.WriteToTextStream(stream);
    std::string text(stream.GetSize(), '\0');
    stream.Seek(0);
    stream.Read(text.data(), static_cast<uint32_t>(text.size()));
    return text;
}

inline CPlayerStats* NewPlayer(const char* name)
{
    auto* player = new CPlayerStats;
    player->SetPropertiesToDefaults();
    player->SetName(name);
    return player;
}

inline CGameStats* NewGame(uint32_t points, uint32_t difficulty)
{
    auto* game = new CGameStats;
    game->SetPropertiesToDefaults();
    game->SetPointsScored(points);
    game->SetDifficulty(difficulty);
    return game;
}

// Plain object text with CR LF line ends from lines written with LF.
inline std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// While it lives, files of this process cannot grow past the bytes: a write beyond fails with
// EFBIG, as on a full disk (the signal such a write raises is ignored meanwhile).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes) : m_oldHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        const rlimit limit{bytes, m_old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    void (*m_oldHandler)(int);
    rlimit m_old{};
};

} // namespace statstest
