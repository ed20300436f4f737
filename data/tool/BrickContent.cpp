#include "BrickContent.h"

#include "BrickLooks.h"

#include "DrawnRounds.h"
#include "ObjectText.h"
#include "RoundThumbnail.h"
#include "game/bricks/BackgroundCollection.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/BrickType.h"
#include "game/bricks/FloatingBrick.h"
#include "objects/ArrayProperty.h"
#include "objects/ClassRecord.h"
#include "objects/EnumTable.h"

#include <map>
#include <numbers>
#include <utility>

namespace {

constexpr const char* kBrickFolder = "Bricks/";
constexpr const char* kRoundFolder = "Rounds/";
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

const CArrayProperty& LayoutArray(const char* label)
{
    return *static_cast<const CArrayProperty*>(CBrickLayout::GetStaticClassRecord()->FindProperty(label));
}

// The layout's palette becomes the bricks of the types, in order after entry 0.
void SetPalette(CBrickLayout& layout, const std::vector<uint32_t>& types)
{
    LayoutArray("Brick Palette").Resize(&layout, static_cast<uint32_t>(types.size() + 1));
    CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
    for (size_t i = 0; i < types.size(); ++i)
        layout.m_palette[i + 1] = static_cast<uint32_t>(bricks.FindIndexByName(BrickName(types[i]).c_str(), -1));
}

void SetCell(CBrickLayout& layout, uint32_t column, uint32_t row, uint8_t palette)
{
    layout.m_layout.GetPixels()[layout.m_layout.GetRowOffsets()[row] + column] = palette;
}

CFloatingBrick& AddFloating(CBrickLayout& layout, float x, float y, uint32_t palette)
{
    LayoutArray("Floating Bricks").Resize(&layout, layout.m_floatingCount + 1);
    CFloatingBrick& brick = *layout.m_floating[layout.m_floatingCount - 1];
    brick.m_positionX = x;
    brick.m_positionY = y;
    brick.m_paletteIndex = palette;
    return brick;
}

void MakeOneBrick(CBrickLayout& layout)
{
    layout.m_displayName.SetSourceText(CSharedString("One Brick"));
    SetPalette(layout, {kBrickNormal});
    SetCell(layout, 7, 8, 1);
}

// Rows 2 to 11 across the field (15 bricks; 14 in the odd rows, which are offset half a brick),
// the rows changing type in bands.
void MakeFullGrid(CBrickLayout& layout)
{
    layout.m_displayName.SetSourceText(CSharedString("Full Grid"));
    SetPalette(layout, {kBrickNormal, kBrickPowerUp, kBrick3Hit, kBrickExploding, kBrickIndestructible});
    LayoutArray("Rows Offsets").Resize(&layout, 12);
    const uint8_t bands[] = {3, 3, 1, 1, 2, 1, 4, 1, 1, 5};
    for (uint32_t row = 2; row < 12; ++row) {
        layout.m_rowOffsets[row] = (row & 1) ? 16 : 0;
        for (uint32_t column = 0; column < ((row & 1) ? 14u : 15u); ++column)
            SetCell(layout, column, row, bands[row - 2]);
    }
}

// Floating bricks: an obstacle sweeping to and fro, a brick moving up and down, a changer that
// turns its neighbours into steel, one that looks like a power-up brick and forces a catch, and
// toggles with their detonator.
void MakeMovingParts(CBrickLayout& layout)
{
    layout.m_displayName.SetSourceText(CSharedString("Moving Parts"));
    SetPalette(layout, {kBrickNormal, kBrickObstacle, kBrickOffOn, kBrickDetonator, kBrickNudgeLeft});
    for (uint32_t column = 2; column < 14; ++column) {
        SetCell(layout, column, 3, 1);
        SetCell(layout, column, 4, column % 3 == 0 ? 3 : 1);
    }
    SetCell(layout, 7, 6, 4);
    SetCell(layout, 12, 6, 5);
    CFloatingBrick& sweeper = AddFloating(layout, 224, 200, 2);
    sweeper.m_speed = 60;
    sweeper.m_range1 = 150;
    sweeper.m_range2 = 150;
    sweeper.m_canMoveThroughOtherBricks = false;
    CFloatingBrick& lift = AddFloating(layout, 64, 240, 1);
    lift.m_speed = 40;
    lift.m_range2 = 90;
    lift.m_direction = std::numbers::pi_v<float> / 2;
    CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
    CFloatingBrick& changer = AddFloating(layout, 224, 54, 1);
    changer.m_changeFrom = static_cast<uint32_t>(bricks.FindIndexByName(BrickName(kBrickNormal).c_str(), -1));
    changer.m_changeTo = static_cast<uint32_t>(bricks.FindIndexByName(BrickName(kBrickIndestructible).c_str(), -1));
    CFloatingBrick& gift = AddFloating(layout, 400, 240, 1);
    gift.m_lookLike = static_cast<uint32_t>(bricks.FindIndexByName(BrickName(kBrickPowerUp).c_str(), -1));
    gift.m_forcePowerUp = 3;
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

std::vector<std::string> GetLayoutContentNames()
{
    return {"!None", std::string(kRoundFolder) + "One Brick", std::string(kRoundFolder) + "Full Grid",
            std::string(kRoundFolder) + "Moving Parts"};
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
    void (*const makers[])(CBrickLayout&) = {nullptr, &MakeOneBrick, &MakeFullGrid, &MakeMovingParts};
    const std::vector<std::string> names = GetLayoutContentNames();
    std::map<std::string, CImage> thumbnails;
    for (size_t i = 0; i < names.size(); ++i) {
        CBrickLayout layout;
        layout.SetPropertiesToDefaults();
        if (makers[i]) {
            layout.m_author.AssignText("Vantorel");
            makers[i](layout);
            thumbnails[names[i]] = PaintRoundThumbnail(layout);
        }
        if (!AddResourceFile(set, names[i] + ".Vantorel", WriteObjectText(layout), error))
            return false;
    }
    return AddDrawnRounds(set, std::move(thumbnails), error);
}
