#pragma once
// The developer's script (--script FILE): input and checks fed to the running game at chosen
// update steps, so that a run from the menu through a round to the exit repeats exactly. One
// command a line, "<step> <command> [arguments]", blank lines and lines starting with '#' ignored:
//   key <name or key number> [steps held]   a key pressed (and its character typed), released
//                                           after the steps held (default 2)
//   char <c>                                one typed character
//   text "<text>"                           typed characters
//   mouse <x> <y> [down|up|click] [left|right|middle]
//   click "<window text>"                   the pointer to the window of that text in the top
//                                           modal window, pressed, released at the next step;
//                                           a window still moving (a menu button sliding in)
//                                           is clicked once it has come to rest
//   screenshot <path>                       the back buffer written as a TGA file
//   quit                                    the main window is asked to close
// The game counts its update steps from 1 and runs the script before each step's own work.
//
// The rule a caller must know: commands run in step order (lines of one step in file order); a
// step that has passed runs at once, and a click waiting for its window holds back the commands
// after it. Paths are taken relative to the folder current at loading.
#include "graphics/IntRect.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CFrame;
class CJWindow;

class CDeveloperScript
{
public:
    struct Command
    {
        uint32_t step = 0;
        std::string name;
        std::vector<std::string> arguments;
    };

    // Parses the text; false with error set ("line N: ...") for an unknown command, a missing or
    // malformed argument, a step that is not a number, or an unclosed quote.
    bool Parse(const std::string& text, const std::string& baseFolder, std::string& error);
    // Runs the commands due at this step. The screen is the window tree's root (may be null), the
    // frame what a screenshot writes. A command that cannot be done (no such window, a file that
    // cannot be written) is reported on stderr and the run goes on.
    void RunStep(uint32_t step, CJWindow* screen, CFrame* backBuffer);
    bool IsFinished() const { return m_next >= m_commands.size() && m_releases.empty() && !m_click; }
    const std::vector<Command>& GetCommands() const { return m_commands; }

    // The window of that text within the window (itself included), front to back, depth first;
    // null when none.
    static CJWindow* FindWindowByText(CJWindow* root, const char* text);

private:
    struct Release
    {
        uint32_t step;
        bool mouse;
        int code;  // key number, or mouse button
        int x;
        int y;
    };
    // A click waiting for its window to keep its place on screen for a step.
    struct PendingClick
    {
        std::string text;
        uint32_t since;
        CIntRect lastRect;
    };
    void Run(const Command& command, uint32_t step, CFrame* backBuffer);
    // Clicks the window once it rests; true when the click is done (or given up).
    bool TryClick(uint32_t step, CJWindow* screen);

    std::vector<Command> m_commands;
    size_t m_next = 0;
    std::vector<Release> m_releases;
    std::optional<PendingClick> m_click;
};

// The script of this run; null without --script. LoadDeveloperScript reads the file (false, with
// the reason in error, when it cannot be read or parsed).
CDeveloperScript* GetDeveloperScript();
bool LoadDeveloperScript(const char* fileName, std::string& error);
