#include "DrawnRounds.h"

#include "BrickContent.h"
#include "DrawnSequence.h"
#include "ObjectText.h"
#include "RoundThumbnail.h"
#include "StagingFolder.h"
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
        {"Hourglass", "Deep Sea",
         {"", "", "nnnnnnnnnnnnnnn", " n3nnnnpnnnn3n ", "  nnnnxnnnnn  ", "   nnn3n3nn   ", "    nnpnn    ",
          "     n3n     ", "    nnpnn    ", "   nnn3n3nn   ", "  nnnnxnnnnn  ", " n3nnnnpnnnn3n ", "nnnnnnnnnnnnnnn"}},
        {"Ladder", "Space",
         {"", "", "s.s.s.s.s.s.s.s", "nnnnnnnnnnnnnnn", "s.s.s.s.s.s.s.s", "3p3p3p3p3p3p3p3", "s.s.s.s.s.s.s.s",
          "nnnnnnxnnnnnnnn", "s.s.s.s.s.s.s.s", "ppp333ddd333ppp"}},
        {"Cross", "Deep Sea",
         {"", "", "      nnn      ", "      n3n      ", "      npn      ", "nnnnnnxxxnnnnnn", "n3p3nxd.dxn3p3n",
          "nnnnnnxxxnnnnnn", "      npn      ", "      n3n      ", "      nnn      "}},
        {"Zigzag", "Space",
         {"", "", "nn.............", "..nn...........", "....nn3........", "......nnp......", "........nnx....",
          "..........nn3..", "............nnp", "..........nn3..", "........nnx....", "......nnp......"}},
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

// A round set of the data set: its file name, its rounds by layout name and the rounds (from 0)
// of its checkpoints.
struct DrawnRoundSet
{
    const char* name;
    std::vector<std::string> rounds;
    std::vector<uint32_t> checkPoints;
};

// "Checkpoints/<set> <n>", n counting the set's checkpoints from 1.
std::string CheckPointImageName(const char* set, size_t checkPoint)
{
    return std::string("Checkpoints/") + set + " " + std::to_string(checkPoint + 1);
}

std::string RoundSetText(const DrawnRoundSet& drawn)
{
    const std::vector<std::string>& rounds = drawn.rounds;
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

std::vector<DrawnRoundSet> GetDrawnRoundSets()
{
    return {{"Classic", GetClassicRounds(), {0, 5}}, {"Expert", GetExpertRounds(), {0, 5}}};
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
            const auto found = thumbnails.find(drawn.rounds.at(drawn.checkPoints[i]));
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

std::vector<std::string> GetExpertRounds()
{
    return {RoundName("Hourglass"), RoundName("Checkers"),  RoundName("Ladder"), RoundName("Fortress"),
            RoundName("Waves"),     RoundName("Cross"),     RoundName("Full Grid"), RoundName("Zigzag"),
            RoundName("Moving Parts"), RoundName("Invader")};
}

bool AddDrawnRounds(CContentSet& set, std::map<std::string, CImage> thumbnails, std::string& error)
{
    for (const DrawnLayout& drawn : GetDrawnLayouts()) {
        CBrickLayout layout;
        layout.SetPropertiesToDefaults();
        Draw(layout, drawn);
        thumbnails[RoundName(drawn.name)] = PaintRoundThumbnail(layout);
        if (!AddResourceFile(set, RoundName(drawn.name) + ".Vantorel", WriteObjectText(layout), error))
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
