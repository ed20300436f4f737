#pragma once
// Rounds of a test's own, so that it does not hang on the data set's: layouts and round sets
// written under "Data/Resources" below the current folder, which the game reads when it starts.
#include "../game/BrickTestSupport.h"
#include "TestSupport.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ownrounds {

// A layout's text: palette entries 1 on by brick name ("Bricks/Normal"), laid by the rows' digits
// '1' to '9' (anything else lays nothing), rows from the top.
inline std::string LayoutText(const std::string& name, const std::vector<std::string>& bricks,
                              const std::vector<std::string>& rows, const char* background = "Space")
{
    std::string text = "CBrickLayout\r\n{\r\n\tDisplay Name=" + name + "\r\n\tBackground Type=" + background +
                       "\r\n\tBrick Palette=Array\r\n\t{\r\n\t\tItem Count=" + std::to_string(bricks.size() + 1) +
                       "\r\n\t\tBrick Type=!None\r\n";
    for (const std::string& brick : bricks)
        text += "\t\tBrick Type=" + brick + "\r\n";
    text += "\t}\r\n\tLayout=CFrame(16,22,8)\r\n\t{\r\n";
    for (size_t row = 0; row < 22; ++row) {
        text += "\t\t";
        for (size_t column = 0; column < 16; ++column) {
            const char c = row < rows.size() && column < rows[row].size() ? rows[row][column] : '.';
            text += c >= '1' && c <= '9' ? std::string("0") + c : "00";
        }
        text += "\r\n";
    }
    return text + "\t}\r\n}\r\n";
}

// Several brick types: rows of bricks, switches and a power-up brick, a detonator, a nudge brick
// and two obstacles.
inline std::string SeveralTypesLayoutText(const std::string& name)
{
    return LayoutText(name,
                      {"Bricks/Normal", "Bricks/Obstacle", "Bricks/Off-On", "Bricks/Detinator", "Bricks/Nudge Left",
                       "Bricks/Power Up"},
                      {"", "", "", "..111111111111", "..131131131136", "", ".......4....5", "", "",
                       "..2..........2"});
}

// "Data/Resources/Rounds/<name>.Vantorel".
inline void WriteLayout(const std::string& name, const std::string& text)
{
    const std::filesystem::path path = std::filesystem::path("Data/Resources/Rounds") / (name + ".Vantorel");
    std::filesystem::create_directories(path.parent_path());
    testsupport::WriteFileBytes(path, text);
}

// "Data/Resources/<name>.RoundSet" of the layouts ("Rounds/<name>"), a checkpoint at its first
// round; sets are listed by name, so a name beginning with "0" comes first.
inline void WriteRoundSet(const std::string& name, const std::vector<std::string>& layouts)
{
    testsupport::WriteFileBytes(std::filesystem::path("Data/Resources") / (name + ".RoundSet"),
                                bricktest::RoundSetText(layouts, {0}));
}

} // namespace ownrounds
