// Every name the program looks up in its data, found in the built archives by the very list the
// program asks: the sequences, pictures, overlay texts, fonts, particle generators, sounds and
// force-feedback effects.
#include "MountedDataSet.h"
#include "app/ForceFeedback.h"
#include "app/ForceFeedbackProject.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "game/ship/ParticleGeneratorCollection.h"
#include "game/ship/ParticleGeneratorInfo.h"
#include "graphics/Font.h"
#include "graphics/FontCollection.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "graphics/FrameOverlayOptions.h"
#include "graphics/FrameOverlayOptionsCollection.h"
#include "graphics/ScreenMode.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"
#include "objects/DataNames.h"
#include "sound/SoundList.h"

#include <map>
#include <set>
#include <string>

namespace {

class DataNames : public MountedDataSet
{
protected:
    void SetUp() override
    {
        MountedDataSet::SetUp();
        m_savedDepth = GetDisplayBitsPerPixel();
        SetDisplayBitsPerPixel(16);
        CSequenceCollection::GetInstance().SetUpAtStartUp();
        CFrameCollection::GetInstance().SetUpAtStartUp();
        CFrameOverlayOptionsCollection::GetInstance().SetUpAtStartUp();
        CFontCollection::GetInstance().SetUpAtStartUp();
        CParticleGeneratorCollection::GetInstance().SetUpAtStartUp();
        CSoundList::GetInstance().LoadFolder("Sounds", "Sounds", ".wav", ".ogg");
        // The force-feedback project, read as the program reads it when a device is there.
        CVirtualFile file;
        if (file.Open(CForceFeedback::kProjectFile, VF_READ)) {
            std::vector<uint8_t> bytes(file.GetSize());
            bytes.resize(file.Read(bytes.data(), static_cast<uint32_t>(bytes.size())));
            ASSERT_TRUE(m_project.LoadFromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
        }
    }
    void TearDown() override
    {
        CSoundList::GetInstance().FreeEntries();
        CParticleGeneratorCollection::GetInstance().FreeEntries();
        CFrameOverlayOptionsCollection::GetInstance().FreeEntries();
        CFontCollection::GetInstance().FreeEntries();
        CFrameCollection::GetInstance().FreeEntries();
        CSequenceCollection::GetInstance().FreeEntries();
        SetDisplayBitsPerPixel(m_savedDepth);
    }

    // Whether the list of the kind finds the name and its object holds what the program draws
    // or plays.
    bool Finds(const dataname::SEntry& entry) const
    {
        switch (entry.kind) {
        case dataname::EKind::Sequence: {
            const CSequence* sequence = CSequenceCollection::GetInstance().FindSequence(entry.name);
            return sequence && sequence->GetFrameCount() > 0 && sequence->GetFrame(0);
        }
        case dataname::EKind::Picture: {
            CFrameCollection& frames = CFrameCollection::GetInstance();
            const int index = frames.FindIndexByName(entry.name, -1);
            const auto* frame = index < 0 ? nullptr : dynamic_cast<CFrame*>(frames.GetItem(static_cast<uint32_t>(index)));
            return frame && frame->GetWidth() > 0;
        }
        case dataname::EKind::Overlay: {
            CFrameOverlayOptionsCollection& overlays = CFrameOverlayOptionsCollection::GetInstance();
            const int index = overlays.FindIndexByName(entry.name, -1);
            const auto* options =
                index < 0 ? nullptr : dynamic_cast<CFrameOverlayOptions*>(overlays.GetItem(static_cast<uint32_t>(index)));
            return options && options->GetTextOverlayCount() > 0;
        }
        case dataname::EKind::Font: {
            const CFont* font = CFontCollection::GetInstance().FindFont(entry.name);
            return font && font->GetGlyphCount() > 0;
        }
        case dataname::EKind::Generator: {
            const CParticleGeneratorInfo* generator = CParticleGeneratorCollection::GetInstance().FindGenerator(entry.name);
            return generator && generator->GetTotalWeight() > 0;
        }
        case dataname::EKind::Sound:
            // Entry 0 is the silent "!None.wav": a name must find a sound of its own.
            return CSoundList::GetInstance().FindSoundIndex(entry.name, -1) > 0;
        case dataname::EKind::ForceEffect: {
            const CForceFeedbackEffectInfo* effect = m_project.FindEffect(entry.name);
            return effect && effect->m_duration > 0;
        }
        }
        return false;
    }

    int32_t m_savedDepth = 16;
    CForceFeedbackProject m_project;
};

} // namespace

TEST_F(DataNames, EveryNameTheProgramLooksUpIsInTheBuiltArchives)
{
    const std::vector<dataname::SEntry>& all = dataname::GetAll();
    std::map<dataname::EKind, size_t> counts;
    for (const dataname::SEntry& entry : all) {
        ++counts[entry.kind];
        EXPECT_TRUE(Finds(entry)) << dataname::GetKindName(entry.kind) << " \"" << entry.name << "\"";
    }
    // Every kind is listed, and the names the brick layer and the end of a game ask for are there.
    EXPECT_EQ(counts.size(), 7u);
    for (const char* name : {"Brick Layer/Left Gears", "Brick Layer/Right Gears", "Brick Layer/Bar",
                             "Brick Layer/Carriage", "Game Over", "Completed Game"}) {
        bool listed = false;
        for (const dataname::SEntry& entry : all)
            listed = listed || std::string(entry.name) == name;
        EXPECT_TRUE(listed) << name;
    }
}

TEST_F(DataNames, AListedNameTheDataLacksIsNotFound)
{
    // The check itself catches a name that is missing or of the wrong kind.
    EXPECT_FALSE(Finds({dataname::EKind::Sequence, "Brick Layer/Crane"}));
    EXPECT_FALSE(Finds({dataname::EKind::Sequence, dataname::picture::kGameOver}));
    EXPECT_FALSE(Finds({dataname::EKind::Picture, dataname::sequence::kBall}));
    EXPECT_FALSE(Finds({dataname::EKind::Overlay, dataname::picture::kGameOver}));
    EXPECT_FALSE(Finds({dataname::EKind::Sound, "!None.wav"}));
    EXPECT_FALSE(Finds({dataname::EKind::Generator, "!None"}));
    EXPECT_FALSE(Finds({dataname::EKind::ForceEffect, "Paddle Size Change"}));
    EXPECT_FALSE(Finds({dataname::EKind::ForceEffect, dataname::sound::kBounce}));
}

TEST(DataNameList, NoNameIsListedTwiceForOneKind)
{
    std::set<std::pair<dataname::EKind, std::string>> seen;
    for (const dataname::SEntry& entry : dataname::GetAll()) {
        std::string lower = entry.name;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_FALSE(lower.empty());
        EXPECT_TRUE(seen.insert({entry.kind, lower}).second) << entry.name;
    }
}
