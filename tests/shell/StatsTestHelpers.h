#pragma once
// Helpers of the statistics tests: a current folder of the test's own (the statistics file lies in
// the current folder), the object text of a statistics object, and profiles and games made the
// way the dialogs and the playfield make them.
#include "TestSupport.h"
#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "objects/ObjectTextStream.h"
#include "shell/stats/Stats.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace statstest {

class WorkFolder
{
public:
    WorkFolder()
    {
        char* old = ::getcwd(nullptr, 0);
        m_oldFolder = old ? old : ".";
        std::free(old);
        EXPECT_EQ(0, ::chdir(m_dir.Path().c_str()));
    }
    ~WorkFolder() { EXPECT_EQ(0, ::chdir(m_oldFolder.c_str())); }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    std::string operator/(const std::string& name) const { return m_dir / name; }
    bool Exists(const std::string& name) const { return std::filesystem::exists(m_dir.Path() / name); }
    std::string Read(const std::string& name) const { return testsupport::ReadFileBytes(m_dir.Path() / name); }
    void Write(const std::string& name, const std::string& bytes) const
    {
        testsupport::WriteFileBytes(m_dir.Path() / name, bytes);
    }

private:
    testsupport::TempDir m_dir;
    std::string m_oldFolder;
};

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

} // namespace statstest
