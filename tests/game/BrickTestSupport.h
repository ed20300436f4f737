#pragma once
// The brick tests' world: a scratch folder that is the base folder, with the brick types,
// backgrounds and layouts of a test written as object text under "Resources", and the sound list
// holding the sounds bricks name by default (written by Python's wave module).
#include "TestSupport.h"
#include "foundation/OpenFlags.h"
#include "game/bricks/BackgroundCollection.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/bricks/BrickLayoutCollection.h"
#include "sound/SoundList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace bricktest {

class BrickWorld : public testing::Test
{
protected:
    void SetUp() override
    {
        m_oldFolder = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.Path());
        SetBaseFolder(".");
        std::filesystem::create_directories("Sounds");
        std::string script = "import wave\nfor n in ['Pop Brick', 'Brick Placed', 'Other']:\n"
                             "    w = wave.open('Sounds/' + n + '.wav', 'wb')\n    w.setnchannels(1)\n"
                             "    w.setsampwidth(2)\n    w.setframerate(22050)\n    w.writeframes(b'\\0\\0' * 64)\n"
                             "    w.close()\n";
        testsupport::WriteFileBytes("make.py", script);
        ASSERT_EQ(testsupport::RunCommand("python3 make.py"), 0);
        CSoundList::GetInstance().LoadFolder("Sounds", "Sounds", ".wav", ".ogg");
        WriteResource("!None.Background", "CBackgroundDefinition\r\n{\r\n}\r\n");
        WriteResource("Space.Background", "CBackgroundDefinition\r\n{\r\n}\r\n");
        WriteResource("!None.Brick", "CBrickInfo\r\n{\r\n}\r\n");
    }
    void TearDown() override
    {
        CBrickLayoutCollection::GetInstance().FreeEntries();
        CBackgroundCollection::GetInstance().FreeEntries();
        CBrickInfoCollection::GetInstance().FreeEntries();
        CSoundList::GetInstance().FreeEntries();
        std::filesystem::current_path(m_oldFolder);
        SetBaseFolder(".");
    }

    // "Resources/<name>" with the text.
    static void WriteResource(const std::string& name, const std::string& text)
    {
        const std::filesystem::path path = std::filesystem::path("Resources") / name;
        std::filesystem::create_directories(path.parent_path());
        testsupport::WriteFileBytes(path, text);
    }
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
