#include "BrickContent.h"

#include "BrickLooks.h"

#include "DrawnRounds.h"
#include "ObjectText.h"
#include "game/bricks/BackgroundCollection.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/BrickType.h"
#include "objects/ClassRecord.h"
#include "objects/EnumTable.h"

#include <utility>

namespace {

constexpr const char* kBrickFolder = "Bricks/";
// Points a brick scores, by type; the bricks that need not go score more for the trouble.
constexpr int kScores[kBrickTypeCount] = {3, 5, 0, 50, 10, 10, 8, 15, 15, 15, 6, 6, 10, 8, 4, 4, 4, 4, 50, 20};

std::string BrickName(uint32_t type)
{
    std::string name = GetBrickTypeTable().GetItemName(type);
    for (char& c : name)
        if (c == '/')
            c = '-';
    return kBrickFolder + name;
}

CContentSet::Bytes Text(const std::string& text)
{
    return CContentSet::Bytes(text.begin(), text.end());
}

// A brick type's file as a person would write it: its type, looks, sounds, points and break
// particles, each by name.
std::string BrickText(uint32_t type)
{
    const BrickLook look = GetBrickLook(type);
    std::string text = std::string("CBrickInfo\r\n{\r\n\tBrick Type=") + GetBrickTypeTable().GetItemName(type) + "\r\n";
    const std::pair<const char*, const std::string&> named[] = {
        {"Primary Sequence", look.primary},         {"Sequence 2", look.second},
        {"Sequence 3", look.third},                 {"Destroyed Seq", look.destroyed},
        {"Destroyed Sound", look.destroyedSound},   {"Indestructible Sound", look.indestructibleSound},
        {"Damaged Sound", look.damagedSound},       {"Break Particle Gen", look.breakGenerator}};
    for (const auto& [label, name] : named)
        if (!name.empty())
            text += std::string("\t") + label + "=" + name + "\r\n";
    text += "\tScore Value=" + std::to_string(kScores[type]) + "\r\n";
    if (!look.breakParticles.empty()) {
        text += "\tBreak Particle Types=Array\r\n\t{\r\n\t\tArray Count=" +
                std::to_string(look.breakParticles.size()) + "\r\n";
        for (const auto& [sequence, weight] : look.breakParticles)
            text += "\t\tArray Item=CParticleType\r\n\t\t{\r\n\t\t\tParticle Type=" + sequence +
                    "\r\n\t\t\tWeight=" + std::to_string(weight) + "\r\n\t\t}\r\n";
        text += "\t}\r\n";
    }
    return text + "}\r\n";
}

// Sets up the collections a layout's references are written through, for the length of a scope.
class CLayoutWriting
{
public:
    CLayoutWriting()
    {
        std::vector<CSharedString> bricks;
        for (const std::string& name : GetBrickContentNames())
            bricks.emplace_back(name.c_str());
        CBrickInfoCollection::GetInstance().SetEntries(bricks);
        CBackgroundCollection::GetInstance().SetEntries(
            {CSharedString("!None"), CSharedString("Deep Sea"), CSharedString("Space")});
    }
    ~CLayoutWriting()
    {
        CBrickInfoCollection::GetInstance().FreeEntries();
        CBackgroundCollection::GetInstance().FreeEntries();
    }
    CLayoutWriting(const CLayoutWriting&) = delete;
    CLayoutWriting& operator=(const CLayoutWriting&) = delete;
};

} // namespace

std::vector<std::string> GetBrickContentNames()
{
    std::vector<std::string> names = {"!None"};
    for (uint32_t type = 0; type < kBrickTypeCount; ++type)
        names.push_back(BrickName(type));
    return names;
}

bool AddBrickContent(CContentSet& set, std::string& error)
{
    if (!AddBrickLooks(set, error) ||
        !AddResourceFile(set, "!None.Brick", Text("CBrickInfo\r\n{\r\n\tScore Value=0\r\n}\r\n"), error))
        return false;
    for (uint32_t type = 0; type < kBrickTypeCount; ++type)
        if (!AddResourceFile(set, BrickName(type) + ".Brick", Text(BrickText(type)), error))
            return false;
    // The backgrounds themselves come with their pictures; "!None" is the one of no scenery.
    if (!AddResourceFile(set, "!None.Background", Text("CBackgroundDefinition\r\n{\r\n}\r\n"), error))
        return false;

    const CLayoutWriting writing;
    // Entry 0 of the layouts, the round of no bricks.
    CBrickLayout none;
    none.SetPropertiesToDefaults();
    return AddResourceFile(set, "!None.Vantorel", WriteObjectText(none), error) && AddDrawnRounds(set, error);
}
