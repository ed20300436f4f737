#include "DrawnRounds.h"

#include "BrickContent.h"
#include "ObjectText.h"
#include "game/bricks/BackgroundCollection.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/BrickType.h"
#include "objects/ArrayProperty.h"

#include <string>

namespace {

// What a character of a map lays; '.' lays nothing.
struct Key
{
    char symbol;
    uint32_t type;
};
constexpr Key kKeys[] = {
    {'n', kBrickNormal}, {'p', kBrickPowerUp}, {'3', kBrick3Hit},   {'x', kBrickExploding},
    {'s', kBrickIndestructible}, {'d', kBrickDetonator}, {'o', kBrickOffOn},
};

// A layout as rows of at most 15 characters, from the grid's top row down.
struct DrawnLayout
{
    const char* name;
    const char* background;
    std::vector<const char*> rows;
};

std::vector<DrawnLayout> GetDrawnLayouts()
{
    return {
        {"Pyramid", "Space",
         {"", "", "       p       ", "      nnn      ", "     n3n3n     ", "    nnnpnnn    ", "   n3nnnnn3n   ",
          "  nnnnnxnnnnn  ", " nnpnnnnnnnpnn "}},
        {"Checkers", "Deep Sea",
         {"", "", "n.n.n.n.n.n.n.n", ".3.p.3.3.3.p.3.", "n.n.n.n.n.n.n.n", ".3.3.x.3.x.3.3.", "n.n.n.n.n.n.n.n",
          ".p.3.3.3.3.3.p."}},
        {"Diamond", "Deep Sea",
         {"", "", "       s       ", "      nnn      ", "     npxpn     ", "    nn333nn    ", "     npxpn     ",
          "      nnn      ", "       s       "}},
        {"Columns", "Space",
         {"", "", "s..s..s..s..s..", "n..n..n..n..n..", "3..p..3..p..3..", "n..n..n..n..n..", "x..n..x..n..x..",
          "n..3..n..3..n.."}},
        {"Waves", "Deep Sea",
         {"", "", "nn.......nn....", "..nn...nn..nn..", "....nnn.....nn.", "p.......pp....n", "33.......33....",
          "..33...33..33..", "....333.....33."}},
        {"Fortress", "Space",
         {"", "", "sssssssssssssss", "s.............s", "s.nnnn3p3nnnn.s", "s.n.........n.s", "s.n.xx3d3xx.n.s",
          "s.n.........n.s", "s.nnnnn.nnnnn.s", "s.............s", "sssssss.sssssss"}},
        {"Invader", "Space",
         {"", "", "   n       n   ", "    n     n    ", "   nnnnnnnnn   ", "  nn3nnnnn3nn  ", " nnnnnnnnnnnnn ",
          " n.nnnpnpnnn.n ", " n.n.......n.n ", "    oo...oo    "}},
    };
}

std::string RoundName(const char* layout)
{
    return std::string("Rounds/") + layout;
}

// The brick type's entry in the data set's brick names.
uint32_t BrickIndex(uint32_t type)
{
    const std::string name = GetBrickContentNames()[type + 1];
    return static_cast<uint32_t>(CBrickInfoCollection::GetInstance().FindIndexByName(name.c_str(), -1));
}

void Draw(CBrickLayout& layout, const DrawnLayout& drawn)
{
    layout.m_author.AssignText("Vantorel");
    layout.SetDisplayName(drawn.name);
    layout.m_backgroundType = static_cast<uint32_t>(CBackgroundCollection::GetInstance().FindIndexByName(drawn.background, -1));
    const auto* palette = static_cast<const CArrayProperty*>(CBrickLayout::GetStaticClassRecord()->FindProperty("Brick Palette"));
    palette->Resize(&layout, static_cast<uint32_t>(std::size(kKeys) + 1));
    for (size_t i = 0; i < std::size(kKeys); ++i)
        layout.m_palette[i + 1] = BrickIndex(kKeys[i].type);
    for (uint32_t row = 0; row < drawn.rows.size() && row < CBrickLayout::kRows; ++row)
        for (uint32_t column = 0; drawn.rows[row][column] && column < CBrickLayout::kColumns; ++column)
            for (size_t i = 0; i < std::size(kKeys); ++i)
                if (kKeys[i].symbol == drawn.rows[row][column])
                    layout.m_layout.GetPixels()[layout.m_layout.GetRowOffsets()[row] + column] =
                        static_cast<uint8_t>(i + 1);
}

std::string RoundSetText(const std::vector<std::string>& rounds, const std::vector<uint32_t>& checkPoints)
{
    std::string text = "CRoundSet\r\n{\r\n\tRound List=Array\r\n\t{\r\n\t\tItem Count=" +
                       std::to_string(rounds.size()) + "\r\n";
    for (const std::string& round : rounds)
        text += "\t\tRound=" + round + "\r\n";
    text += "\t}\r\n\tCheckpoints=Array\r\n\t{\r\n\t\tArray Count=" + std::to_string(checkPoints.size()) + "\r\n";
    for (uint32_t round : checkPoints)
        text += "\t\tArray Item=CCheckPointDefinition\r\n\t\t{\r\n\t\t\tRound Number=" + std::to_string(round) +
                "\r\n\t\t}\r\n";
    return text + "\t}\r\n}\r\n";
}

} // namespace

std::vector<std::string> GetDrawnLayoutNames()
{
    std::vector<std::string> names;
    for (const DrawnLayout& drawn : GetDrawnLayouts())
        names.push_back(RoundName(drawn.name));
    return names;
}

std::vector<std::string> GetClassicRounds()
{
    return {RoundName("One Brick"), RoundName("Pyramid"),  RoundName("Checkers"), RoundName("Full Grid"),
            RoundName("Diamond"),   RoundName("Columns"),  RoundName("Waves"),    RoundName("Fortress"),
            RoundName("Moving Parts"), RoundName("Invader")};
}

bool AddDrawnRounds(CContentSet& set, std::string& error)
{
    for (const DrawnLayout& drawn : GetDrawnLayouts()) {
        CBrickLayout layout;
        layout.SetPropertiesToDefaults();
        Draw(layout, drawn);
        if (!AddResourceFile(set, RoundName(drawn.name) + ".Vantorel", WriteObjectText(layout), error))
            return false;
    }
    const std::string text = RoundSetText(GetClassicRounds(), {0, 5});
    return AddResourceFile(set, "Classic.RoundSet", CContentSet::Bytes(text.begin(), text.end()), error);
}
