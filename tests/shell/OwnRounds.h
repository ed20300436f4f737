#pragma once
// Rounds of a test's own, so that a test that needs a known round does not hang on the data set's:
// layouts and round sets written as their text files under "Data/Resources" below the current
// folder, where the game finds loose resources beside its archives when it starts.
#include "../game/BrickTestSupport.h"
#include "TestSupport.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace ownrounds {

// A floating brick of palette entry `palette` at (x, y) from the grid origin, moving at speed
// along a path from `before` behind to `after` ahead of it at the angle (degrees).
struct Floating
{
    uint32_t palette;
    float x, y;
    float speed = 0.0f, before = 0.0f, after = 0.0f, degrees = 0.0f;
    bool throughOthers = true;
};

// The layout's text as a person writes it: its palette by the data set's brick names ("Bricks/
// Normal"...), entry 1 onward, laid by the rows' digits '1' to '9' (any other character lays
// nothing), rows from the top.
inline std::string LayoutText(const std::string& name, const std::vector<std::string>& bricks,
                              const std::vector<std::string>& rows, const char* background = "Space",
                              const std::vector<Floating>& floating = {})
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
    text += "\t}\r\n\tFloating Bricks=Array\r\n\t{\r\n\t\tItem Count=" + std::to_string(floating.size()) + "\r\n";
    for (const Floating& f : floating) {
        char item[512];
        std::snprintf(item, sizeof item,
                      "\t\tBrick=CFloatingBrick\r\n\t\t{\r\n\t\t\tPosition X=%g\r\n\t\t\tPosition Y=%g\r\n"
                      "\t\t\tSpeed=%g\r\n\t\t\tRange 1=%g\r\n\t\t\tRange 2=%g\r\n\t\t\tDirection=%g\r\n"
                      "\t\t\tCan Move Through Other Bricks=%d\r\n\t\t\tPalette Index=%u\r\n\t\t}\r\n",
                      f.x, f.y, f.speed, f.before, f.after, f.degrees * 3.14159265 / 180.0, f.throughOthers ? 1 : 0,
                      f.palette);
        text += item;
    }
    return text + "\t}\r\n}\r\n";
}

// A round of several brick types on "Space": two rows of bricks and switches (and a power-up
// brick), a detonator and a nudge brick below them, an obstacle sweeping to and fro across the
// middle of the field and a brick riding up and down at its left.
inline std::string SeveralTypesLayoutText(const std::string& name)
{
    return LayoutText(name,
                      {"Bricks/Normal", "Bricks/Obstacle", "Bricks/Off-On", "Bricks/Detinator", "Bricks/Nudge Left",
                       "Bricks/Power Up"},
                      {"", "", "", "..111111111111", "..131131131136", "", ".......4....5"}, "Space",
                      {{2, 224, 200, 60, 150, 150, 0, false}, {1, 64, 240, 40, 0, 90, 90}});
}

// "Data/Resources/Rounds/<name>.Vantorel" below the current folder; the game lists it when it
// starts.
inline void WriteLayout(const std::string& name, const std::string& text)
{
    const std::filesystem::path path = std::filesystem::path("Data/Resources/Rounds") / (name + ".Vantorel");
    std::filesystem::create_directories(path.parent_path());
    testsupport::WriteFileBytes(path, text);
}

// "Data/Resources/<name>.RoundSet", a round set of the layouts ("Rounds/<name>") with a checkpoint
// at its first round; the game lists it when it starts, in order of name with the data set's
// sets, so a name beginning with "0" makes it the first.
inline void WriteRoundSet(const std::string& name, const std::vector<std::string>& layouts)
{
    testsupport::WriteFileBytes(std::filesystem::path("Data/Resources") / (name + ".RoundSet"),
                                bricktest::RoundSetText(layouts, {0}));
}

} // namespace ownrounds
