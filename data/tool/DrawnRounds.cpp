#include "DrawnRounds.h"

#include "BrickContent.h"
#include "DrawnSequence.h"
#include "ObjectText.h"
#include "RoundMaps.h"
#include "RoundThumbnail.h"
#include "StagingFolder.h"
#include "game/bricks/BackgroundCollection.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/BrickType.h"
#include "game/bricks/FloatingBrick.h"
#include "objects/ArrayProperty.h"

#include <map>
#include <numbers>
#include <string>

namespace {

std::string RoundName(const char* layout)
{
    return std::string("Rounds/") + layout;
}

// The brick collection's entry of the key's type; 0 ("!None") for a key that lays none.
uint32_t BrickIndex(char key)
{
    uint32_t type = 0;
    if (!GetRoundMapKeyType(key, type))
        return 0;
    const std::string name = GetBrickContentNames()[type + 1];
    const int index = CBrickInfoCollection::GetInstance().FindIndexByName(name.c_str(), -1);
    return index > 0 ? static_cast<uint32_t>(index) : 0;
}

const CArrayProperty& LayoutArray(const char* label)
{
    return *static_cast<const CArrayProperty*>(CBrickLayout::GetStaticClassRecord()->FindProperty(label));
}

// The palette holds the keys the map uses, in the order they are first met (the grid, then the
// floating bricks); a key's palette index is its place there.
class CPaletteOfKeys
{
public:
    uint8_t IndexOf(char key)
    {
        uint32_t type = 0;
        if (!GetRoundMapKeyType(key, type))
            return 0;
        const auto found = m_indices.find(key);
        if (found != m_indices.end())
            return found->second;
        m_keys.push_back(key);
        return m_indices[key] = static_cast<uint8_t>(m_keys.size());
    }
    void WriteTo(CBrickLayout& layout) const
    {
        LayoutArray("Brick Palette").Resize(&layout, static_cast<uint32_t>(m_keys.size() + 1));
        for (size_t i = 0; i < m_keys.size(); ++i)
            layout.m_palette[i + 1] = BrickIndex(m_keys[i]);
    }

private:
    std::vector<char> m_keys;
    std::map<char, uint8_t> m_indices;
};

void AddFloating(CBrickLayout& layout, const DrawnFloating& drawn, uint8_t paletteIndex)
{
    LayoutArray("Floating Bricks").Resize(&layout, layout.m_floatingCount + 1);
    CFloatingBrick& brick = *layout.m_floating[layout.m_floatingCount - 1];
    brick.m_positionX = drawn.x;
    brick.m_positionY = drawn.y;
    brick.m_paletteIndex = paletteIndex;
    brick.m_speed = drawn.speed;
    brick.m_range1 = drawn.before;
    brick.m_range2 = drawn.after;
    brick.m_direction = drawn.degrees * std::numbers::pi_v<float> / 180.0f;
    brick.m_canMoveThroughOtherBricks = drawn.throughOthers;
    brick.m_changeFrom = BrickIndex(drawn.changeFrom);
    brick.m_changeTo = BrickIndex(drawn.changeTo);
    brick.m_lookLike = BrickIndex(drawn.lookLike);
    brick.m_forcePowerUp = drawn.forcePowerUp;
}

void Draw(CBrickLayout& layout, const DrawnLayout& drawn)
{
    layout.m_author.AssignText("Vantorel");
    layout.SetDisplayName(drawn.name);
    layout.m_backgroundType =
        static_cast<uint32_t>(CBackgroundCollection::GetInstance().FindIndexByName(drawn.background, -1));
    CPaletteOfKeys palette;
    const uint32_t rows = std::min(static_cast<uint32_t>(drawn.rows.size()), CBrickLayout::kRows);
    for (uint32_t row = 0; row < rows; ++row)
        for (uint32_t column = 0; drawn.rows[row][column] && column < CBrickLayout::kColumns; ++column)
            layout.m_layout.GetPixels()[layout.m_layout.GetRowOffsets()[row] + column] =
                palette.IndexOf(drawn.rows[row][column]);
    if (drawn.oddRowOffset != 0) {
        LayoutArray("Rows Offsets").Resize(&layout, rows);
        for (uint32_t row = 1; row < rows; row += 2)
            layout.m_rowOffsets[row] = drawn.oddRowOffset;
    }
    for (const DrawnFloating& floating : drawn.floating)
        AddFloating(layout, floating, palette.IndexOf(floating.key));
    palette.WriteTo(layout);
}

// A round set of the data set: its file name, its layouts and the rounds (from 0) of its
// checkpoints.
struct DrawnRoundSet
{
    const char* name;
    std::vector<DrawnLayout> layouts;
    std::vector<uint32_t> checkPoints;
};

std::vector<DrawnRoundSet> GetDrawnRoundSets()
{
    return {{"Classic", GetClassicLayouts(), {0, 5}}, {"Expert", GetExpertLayouts(), {0, 5}}};
}

std::vector<std::string> RoundNames(const std::vector<DrawnLayout>& layouts)
{
    std::vector<std::string> names;
    for (const DrawnLayout& layout : layouts)
        names.push_back(RoundName(layout.name));
    return names;
}

// "Checkpoints/<set> <n>", n counting the set's checkpoints from 1.
std::string CheckPointImageName(const char* set, size_t checkPoint)
{
    return std::string("Checkpoints/") + set + " " + std::to_string(checkPoint + 1);
}

std::string RoundSetText(const DrawnRoundSet& drawn)
{
    const std::vector<std::string> rounds = RoundNames(drawn.layouts);
    const std::vector<uint32_t>& checkPoints = drawn.checkPoints;
    std::string text = "CRoundSet\r\n{\r\n\tRound List=Array\r\n\t{\r\n\t\tItem Count=" +
                       std::to_string(rounds.size()) + "\r\n";
    for (const std::string& round : rounds)
        text += "\t\tRound=" + round + "\r\n";
    text += "\t}\r\n\tCheckpoints=Array\r\n\t{\r\n\t\tArray Count=" + std::to_string(checkPoints.size()) + "\r\n";
    for (size_t i = 0; i < checkPoints.size(); ++i)
        text += "\t\tArray Item=CCheckPointDefinition\r\n\t\t{\r\n\t\t\tRound Number=" + std::to_string(checkPoints[i]) +
                "\r\n\t\t\tImage=" + CheckPointImageName(drawn.name, i) + "\r\n\t\t}\r\n";
    return text + "\t}\r\n}\r\n";
}

// Every checkpoint's thumbnail as a sequence of one frame, written through a staging folder.
bool AddCheckPointImages(CContentSet& set, const std::map<std::string, CImage>& thumbnails, std::string& error)
{
    const CStagingFolder staging;
    if (!staging.IsReady()) {
        error = "cannot make a scratch folder for the checkpoints' images";
        return false;
    }
    for (const DrawnRoundSet& drawn : GetDrawnRoundSets())
        for (size_t i = 0; i < drawn.checkPoints.size(); ++i) {
            const std::string name = CheckPointImageName(drawn.name, i);
            const auto found = thumbnails.find(RoundName(drawn.layouts.at(drawn.checkPoints[i]).name));
            if (found == thumbnails.end() || !SaveDrawnSequence("Resources", name.c_str(), {found->second}, 1.0f)) {
                error = "cannot write the checkpoint image " + name;
                return false;
            }
        }
    return staging.AddFilesTo(set, error);
}

} // namespace

std::vector<std::string> GetDrawnLayoutNames()
{
    std::vector<std::string> names;
    for (const DrawnRoundSet& drawn : GetDrawnRoundSets())
        for (const std::string& name : RoundNames(drawn.layouts))
            names.push_back(name);
    return names;
}

std::vector<std::string> GetClassicRounds()
{
    return RoundNames(GetClassicLayouts());
}

std::vector<std::string> GetExpertRounds()
{
    return RoundNames(GetExpertLayouts());
}

bool AddDrawnRounds(CContentSet& set, std::string& error)
{
    std::map<std::string, CImage> thumbnails;
    for (const DrawnRoundSet& roundSet : GetDrawnRoundSets())
        for (const DrawnLayout& drawn : roundSet.layouts) {
            CBrickLayout layout;
            layout.SetPropertiesToDefaults();
            Draw(layout, drawn);
            const std::string name = RoundName(drawn.name);
            if (!thumbnails.emplace(name, PaintRoundThumbnail(layout)).second) {
                error = "the layout " + name + " is drawn twice";
                return false;
            }
            if (!AddResourceFile(set, name + ".Vantorel", WriteObjectText(layout), error))
                return false;
        }
    for (const DrawnRoundSet& drawn : GetDrawnRoundSets()) {
        const std::string text = RoundSetText(drawn);
        if (!AddResourceFile(set, std::string(drawn.name) + ".RoundSet", CContentSet::Bytes(text.begin(), text.end()),
                             error))
            return false;
    }
    return AddCheckPointImages(set, thumbnails, error);
}
