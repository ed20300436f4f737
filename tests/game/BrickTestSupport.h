#pragma once
// The brick tests' world: a scratch folder that is the base folder, with the brick types,
// backgrounds and layouts of a test written as object text under "Resources", and the sound list
// holding the sounds bricks name by default; and a host that keeps the score and counts bricks.
#include "TestSupport.h"
#include "foundation/OpenFlags.h"
#include "game/PlayfieldHost.h"
#include "game/bricks/BackgroundCollection.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/bricks/BrickLayoutCollection.h"
#include "sound/SoundList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace bricktest {

// A short silent mono 16-bit 22050 Hz wave file.
inline void WriteSilentWave(const std::filesystem::path& path)
{
    const uint32_t dataSize = 128;
    std::string bytes = "RIFF";
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto u16 = [&](uint16_t v) {
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>(v >> 8);
    };
    u32(36 + dataSize);
    bytes += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(22050);
    u32(44100);
    u16(2);
    u16(16);
    bytes += "data";
    u32(dataSize);
    bytes += std::string(dataSize, '\0');
    testsupport::WriteFileBytes(path, bytes);
}

// Keeps the score and the bricks destroyed of a game.
class CCountingHost : public CPlayfieldHost
{
public:
    uint32_t GetScore() const override { return m_score; }
    void SetScore(uint32_t score) override { m_score = score; }
    void CountBrickDestroyed() override { ++m_bricksDestroyed; }
    // The playfield shows the round's name as the ball comes into play.
    void ShowTimedMessage(const char*) override { ++m_ballsPutInPlay; }
    // The player's hand feels each blast.
    void StartForceFeedback(const char* effect, const CPlayerControls* controls) override
    {
        m_forceEffects.push_back(std::string(effect) + (controls ? " (given controls)" : ""));
    }

    std::vector<std::string> m_forceEffects;
    uint32_t m_score = 0;
    uint32_t m_bricksDestroyed = 0;
    uint32_t m_ballsPutInPlay = 0;
};

// "Resources/<name>" with the text.
inline void WriteResource(const std::string& name, const std::string& text)
{
    const std::filesystem::path path = std::filesystem::path("Resources") / name;
    std::filesystem::create_directories(path.parent_path());
    testsupport::WriteFileBytes(path, text);
}

// Empties the layout, background, brick and sound collections a test filled.
inline void FreeBrickCollections()
{
    CBrickLayoutCollection::GetInstance().FreeEntries();
    CBackgroundCollection::GetInstance().FreeEntries();
    CBrickInfoCollection::GetInstance().FreeEntries();
    CSoundList::GetInstance().FreeEntries();
}

// The sound list of the sounds bricks and the brick layer name, in the folder "Sounds".
inline void LoadBrickSounds()
{
    std::filesystem::create_directories("Sounds");
    for (const char* name : {"Pop Brick", "Brick Placed", "Other"})
        WriteSilentWave(std::filesystem::path("Sounds") / (std::string(name) + ".wav"));
    CSoundList::GetInstance().LoadFolder("Sounds", "Sounds", ".wav", ".ogg");
}

// A round set's text as a person writes it: its rounds by layout name, then its checkpoints by
// round (counted from 0).
inline std::string RoundSetText(const std::vector<std::string>& layouts, const std::vector<uint32_t>& checkPoints)
{
    std::string text = "CRoundSet\r\n{\r\n\tRound List=Array\r\n\t{\r\n\t\tItem Count=" +
                       std::to_string(layouts.size()) + "\r\n";
    for (const std::string& layout : layouts)
        text += "\t\tRound=" + layout + "\r\n";
    text += "\t}\r\n\tCheckpoints=Array\r\n\t{\r\n\t\tArray Count=" + std::to_string(checkPoints.size()) + "\r\n";
    for (uint32_t round : checkPoints)
        text += "\t\tArray Item=CCheckPointDefinition\r\n\t\t{\r\n\t\t\tRound Number=" + std::to_string(round) +
                "\r\n\t\t}\r\n";
    return text + "\t}\r\n}\r\n";
}

class BrickWorld : public testing::Test
{
protected:
    void SetUp() override
    {
        m_oldFolder = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.Path());
        SetBaseFolder(".");
        LoadBrickSounds();
        WriteResource("!None.Background", "CBackgroundDefinition\r\n{\r\n}\r\n");
        WriteResource("Space.Background", "CBackgroundDefinition\r\n{\r\n}\r\n");
        WriteResource("!None.Brick", "CBrickInfo\r\n{\r\n}\r\n");
    }
    void TearDown() override
    {
        FreeBrickCollections();
        std::filesystem::current_path(m_oldFolder);
        SetBaseFolder(".");
    }

    static void WriteResource(const std::string& name, const std::string& text) { bricktest::WriteResource(name, text); }
    // A brick type file "Resources/<name>.Brick" of the type with further property lines.
    static void WriteBrick(const std::string& name, const std::string& type, const std::string& lines = "")
    {
        WriteResource(name + ".Brick", "CBrickInfo\r\n{\r\n\tBrick Type=" + type + "\r\n" + lines + "}\r\n");
    }
    // Lists the files written so far in the three collections.
    static void SetUpCollections()
    {
        CBrickInfoCollection::GetInstance().SetUpAtStartUp();
        CBackgroundCollection::GetInstance().SetUpAtStartUp();
        CBrickLayoutCollection::GetInstance().SetUpAtStartUp();
    }

    testsupport::TempDir m_dir;
    std::filesystem::path m_oldFolder;
};

} // namespace bricktest
