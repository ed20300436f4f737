// The developer's script: what it accepts, what it refuses (with the line), and the events it
// posts at its steps.
#include "TestSupport.h"
#include "platform/Events.h"
#include "platform/headless/HeadlessBackend.h"
#include "shell/DeveloperScript.h"
#include "ui/JWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(DeveloperScript, ParsesCommandsInStepOrder)
{
    CDeveloperScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("# a comment\n"
                             "\n"
                             "20 click \"&Play Game\"\r\n"
                             "10 key Space 5\n"
                             "10 key 69\n"
                             "15 text \"hello world\"\n"
                             "30 mouse 10 20 click right\n"
                             "40 screenshot shots/menu.tga\n"
                             "50 quit\n",
                             "/base", error))
        << error;
    std::vector<std::string> seen;
    for (const CDeveloperScript::Command& c : script.GetCommands()) {
        std::string line = std::to_string(c.step) + " " + c.name;
        for (const std::string& a : c.arguments)
            line += "|" + a;
        seen.push_back(line);
    }
    EXPECT_EQ(seen, std::vector<std::string>({"10 key|Space|5", "10 key|69", "15 text|hello world",
                                              "20 click|&Play Game", "30 mouse|10|20|click|right",
                                              "40 screenshot|/base/shots/menu.tga", "50 quit"}));
}

TEST(DeveloperScript, RefusesBadLinesNamingTheLine)
{
    const struct
    {
        const char* text;
        const char* error;
    } cases[] = {
        {"10 jump", "line 1: no command \"jump\""},
        {"\nx key Space", "line 2: \"x\" is not a step number"},
        {"-1 quit", "line 1: \"-1\" is not a step number"},
        {"99999999999 quit", "line 1: \"99999999999\" is not a step number"},
        {"10", "line 1: no command"},
        {"10 key NoSuchKey", "line 1: no key \"NoSuchKey\""},
        {"10 key 9999", "line 1: no key \"9999\""},
        {"10 key Space 0", "line 1: the steps a key is held must be a number from 1"},
        {"10 key", "line 1: key takes a key and an optional number of steps"},
        {"10 char ab", "line 1: char takes one character"},
        {"10 click \"&Play", "line 1: a quote is not closed"},
        {"10 click \"\"", "line 1: click takes one argument"},
        {"10 mouse 1", "line 1: mouse takes x, y, an optional action and an optional button"},
        {"10 mouse 1 2 drag", "line 1: no mouse action \"drag\" (down, up, click)"},
        {"10 mouse 1 2 down thumb", "line 1: no mouse button \"thumb\" (left, right, middle)"},
        {"10 quit now", "line 1: quit takes no argument"},
    };
    for (const auto& c : cases) {
        CDeveloperScript script;
        std::string error;
        EXPECT_FALSE(script.Parse(c.text, "", error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

// The events waiting in the queue, as "type:key/char/button@x,y".
std::vector<std::string> TakeEvents()
{
    std::vector<std::string> events;
    platform::Event e;
    while (platform::PollEvent(e))
        events.push_back(std::to_string(static_cast<int>(e.type)) + ":" + std::to_string(e.key) + "/" +
                         std::to_string(e.character) + "/" + std::to_string(e.button) + "@" + std::to_string(e.x) +
                         "," + std::to_string(e.y));
    return events;
}

std::string KeyEvent(platform::EventType type, int key)
{
    return std::to_string(static_cast<int>(type)) + ":" + std::to_string(key) + "/0/0@0,0";
}

TEST(DeveloperScript, PostsInputAtItsStepsAndReleasesLater)
{
    platform::GetHeadlessBackend().Reset();
    platform::ClearEvents();
    CDeveloperScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("2 key Pause 3\n2 char Z\n4 mouse 5 6 click\n", "", error)) << error;
    using platform::EventType;
    script.RunStep(1, nullptr, nullptr);
    EXPECT_TRUE(TakeEvents().empty());
    script.RunStep(2, nullptr, nullptr);
    EXPECT_EQ(TakeEvents(), std::vector<std::string>({KeyEvent(EventType::KeyDown, 69), "3:0/90/0@0,0"}));
    script.RunStep(4, nullptr, nullptr);
    const std::string move = std::to_string(static_cast<int>(EventType::MouseMove)) + ":0/0/0@5,6";
    const std::string down = std::to_string(static_cast<int>(EventType::MouseDown)) + ":0/0/1@5,6";
    EXPECT_EQ(TakeEvents(), std::vector<std::string>({move, down}));
    EXPECT_FALSE(script.IsFinished());
    script.RunStep(5, nullptr, nullptr);
    const std::string up = std::to_string(static_cast<int>(EventType::MouseUp)) + ":0/0/1@5,6";
    EXPECT_EQ(TakeEvents(), std::vector<std::string>({KeyEvent(EventType::KeyUp, 69), up}));
    EXPECT_TRUE(script.IsFinished());
}

TEST(DeveloperScript, FindsWindowsByTextDepthFirst)
{
    CJWindow root(nullptr, "root");
    auto* panel = new CJWindow(&root, "panel");
    root.AddChild(panel, 0, nullptr, 0, 0, 0);
    auto* button = new CJWindow(panel, "&Play Game");
    panel->AddChild(button, 0, nullptr, 0, 0, 0);
    EXPECT_EQ(CDeveloperScript::FindWindowByText(&root, "&Play Game"), button);
    EXPECT_EQ(CDeveloperScript::FindWindowByText(&root, "root"), &root);
    // The window keeps its text without the shortcut mark: either form finds it.
    EXPECT_EQ(CDeveloperScript::FindWindowByText(&root, "Play Game"), button);
    EXPECT_EQ(CDeveloperScript::FindWindowByText(&root, "&Exit"), nullptr);
    EXPECT_EQ(CDeveloperScript::FindWindowByText(nullptr, "root"), nullptr);
}

} // namespace
