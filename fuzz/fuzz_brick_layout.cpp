// Reads arbitrary bytes as a round layout file ("<name>.Vantorel") the way a round starts: the
// layout loaded by its path over a small world of brick types and backgrounds, its round built on
// a playfield and its bricks run for a second, its power-up weights drawn from. A layout that
// loads builds no more bricks than its grid and floating bricks hold, places the floating bricks
// it builds inside the field, picks power-up kinds 1 to 15 below its total weight and none at it, and
// writes a text that reads back to the same text.
//
// The seed corpus is made by the layout writer: run the corpus runner with VANTOREL_WRITE_SEEDS
// naming the folder (fuzz/corpus/fuzz_brick_layout) and it writes the seeds there first.
#include "FuzzSupport.h"
#include "WorldFiles.h"
#include "game/Playfield.h"
#include "game/bricks/BackgroundCollection.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/FloatingBrick.h"
#include "game/sprites/Sprite.h"
#include "graphics/ScreenMode.h"
#include "objects/ClassRecord.h"
#include "objects/ArrayProperty.h"
#include "sound/SoundList.h"
#include "sound/SoundSystem.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using fuzzsupport::Check;

constexpr const char* kPath = "Resources/Rounds/Fuzz.Vantorel";

struct World
{
    worldfiles::CLoggingSoundSystem sound;
    CPlayfield playfield;
};

World& GetWorld()
{
    static World* s_world = [] {
        auto* world = new World;
        SetDisplayBitsPerPixel(16);
        CSoundSystem::SetInstance(&world->sound);
        worldfiles::WriteSounds();
        CSoundList::GetInstance().LoadFolder("Sounds", "Sounds", ".wav", ".ogg");
        worldfiles::WriteText("Resources/!None.Background", "CBackgroundDefinition\n{\n}\n");
        worldfiles::WriteText("Resources/Space.Background", "CBackgroundDefinition\n{\n}\n");
        worldfiles::WriteText("Resources/!None.Brick", "CBrickInfo\n{\n}\n");
        worldfiles::WriteText("Resources/Red.Brick", "CBrickInfo\n{\n\tBrick Type=Normal\n}\n");
        worldfiles::WriteText("Resources/Steel.Brick", "CBrickInfo\n{\n\tBrick Type=Indestructible\n}\n");
        worldfiles::WriteText("Resources/Rock.Brick", "CBrickInfo\n{\n\tBrick Type=Obstacle\n}\n");
        CBrickInfoCollection::GetInstance().SetUpAtStartUp();
        CBackgroundCollection::GetInstance().SetUpAtStartUp();
        Check(CBrickInfoCollection::GetInstance().GetCount() == 4);
        SetPlayfield(&world->playfield);
        return world;
    }();
    return *s_world;
}

const CArrayProperty& Array(const char* label)
{
    auto* array = dynamic_cast<const CArrayProperty*>(CBrickLayout::GetStaticClassRecord()->FindProperty(label));
    Check(array != nullptr);
    return *array;
}

void WriteSeed(const std::string& folder, const char* name, bool floating, uint32_t bricks)
{
    CBrickLayout layout;
    layout.SetPropertiesToDefaults();
    layout.m_author.AssignText("Seed");
    layout.SetDisplayName(name);
    Array("Brick Palette").Resize(&layout, 4);
    for (uint32_t i = 1; i < 4; ++i)
        layout.m_palette[i] = static_cast<uint32_t>(CBrickInfoCollection::GetInstance().FindIndexByName(
            i == 1 ? "Red" : i == 2 ? "Steel" : "Rock", 0));
    Array("Rows Offsets").Resize(&layout, 3);
    layout.m_rowOffsets[1] = 16;
    layout.m_rowOffsets[2] = -16;
    for (uint32_t i = 0; i < bricks; ++i)
        layout.m_layout.GetPixels()[layout.m_layout.GetRowOffsets()[i % 22] + i % 16] = static_cast<uint8_t>(1 + i % 3);
    if (floating) {
        Array("Floating Bricks").Resize(&layout, 2);
        layout.m_floating[0]->m_positionX = 200.0f;
        layout.m_floating[0]->m_positionY = 150.0f;
        layout.m_floating[0]->m_paletteIndex = 1;
        layout.m_floating[0]->m_speed = 40.0f;
        layout.m_floating[0]->m_range2 = 64.0f;
        layout.m_floating[1]->m_positionX = 600.0f;
        layout.m_floating[1]->m_paletteIndex = 3;
    }
    layout.m_useDefaultWeights = !floating;
    Check(layout.Save("Seed.Vantorel"));
    std::filesystem::copy_file("Seed.Vantorel", folder + "/" + name + ".Vantorel",
                               std::filesystem::copy_options::overwrite_existing);
}

void WriteSeeds(const std::string& folder)
{
    GetWorld();
    WriteSeed(folder, "grid", false, 40);
    WriteSeed(folder, "floating", true, 5);
    WriteSeed(folder, "empty", false, 0);
    std::ofstream(folder + "/typed.Vantorel", std::ios::binary)
        << "CBrickLayout\n{\n\tBrick Palette=Array\n\t{\n\t\tItem Count=2\n\t\tBrick Type=!None\n\t\tBrick Type=Red\n"
           "\t}\n\tFloating Bricks=Array\n\t{\n\t\tItem Count=1\n\t\tBrick=CFloatingBrick\n\t\t{\n\t\t\tPosition "
           "Y=-20\n\t\t\tRange 2=64\n\t\t\tDirection=1.5707964\n\t\t\tForce Power-up=Catch\n\t\t}\n\t}\n}\n";
}

std::string ReadText(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Play(CBrickLayout& layout)
{
    World& world = GetWorld();
    layout.BuildRound(false);
    CSpriteList& bricks = world.playfield.GetBricks();
    uint64_t count = 0;
    for (CSprite* brick = bricks.GetHead(); brick; brick = brick->GetNext())
        ++count;
    Check(count <= uint64_t{layout.m_layout.GetWidth()} * layout.m_layout.GetHeight() + layout.m_floatingCount);
    // Each floating brick that became a brick was placed inside the field.
    for (uint32_t i = 0; i < layout.m_floatingCount; ++i) {
        const CFloatingBrick* floating = layout.m_floating[i];
        if (!floating || !layout.GetPaletteBrick(floating->m_paletteIndex))
            continue;
        const CFloatPoint at = floating->GetPosition();
        Check(at.m_x >= CBrickLayout::kMinFloatingX + 30 && at.m_x <= CBrickLayout::kMaxFloatingX + 30);
        Check(at.m_y >= CBrickLayout::kMinFloatingY + 20 && at.m_y <= CBrickLayout::kMaxFloatingY + 20);
    }
    for (int step = 0; step < 60; ++step)
        bricks.UpdateAll();

    const uint32_t total = layout.GetTotalPowerUpWeight();
    if (total > 0) {
        for (uint32_t r : {0u, total / 2, total - 1}) {
            const uint32_t kind = layout.PickPowerUp(r);
            Check(kind >= 1 && kind <= 15);
        }
        Check(total == UINT32_MAX || layout.PickPowerUp(total) == 0);
    } else {
        Check(layout.PickPowerUp(0) == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsupport::PrepareOnce(&WriteSeeds);
    World& world = GetWorld();
    if (size > (1u << 20))
        return 0;
    std::filesystem::create_directories("Resources/Rounds");
    fuzzsupport::WriteInput(kPath, data, size);
    fuzzsupport::FatalScope fatal;
    try {
        CBrickLayout layout;
        layout.ResetToDefaults();
        if (layout.Load(kPath)) {
            Play(layout);
            // Saved, read back and saved again: the same text.
            Check(layout.Save("Resources/Rounds/Again.Vantorel"));
            const std::string text = ReadText("Resources/Rounds/Again.Vantorel");
            CBrickLayout again;
            again.ResetToDefaults();
            Check(again.Load("Resources/Rounds/Again.Vantorel"));
            Check(again.Save("Resources/Rounds/Again.Vantorel"));
            Check(ReadText("Resources/Rounds/Again.Vantorel") == text);
        }
    } catch (const fuzzsupport::FatalEnd&) {
        // A class name the registry lacks, or a name missing from a list, is reported as fatal.
    }
    world.playfield.GetBricks().DeleteAll();
    world.playfield.GetBackgroundSprites().DeleteAll();
    world.playfield.GetForeground().DeleteAll();
    world.sound.m_plays.clear();
    world.sound.m_plays.shrink_to_fit();
    return 0;
}
