#include "shell/DeveloperScript.h"

#include "foundation/OpenFlags.h"
#include "foundation/TextUtilities.h"
#include "foundation/Win32Services.h"
#include "graphics/Frame.h"
#include "platform/Events.h"
#include "platform/KeyTable.h"
#include "ui/JWindow.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

constexpr uint32_t kDefaultKeySteps = 2;
// Steps a click waits for its window to come to rest (ten seconds).
constexpr uint32_t kClickPatience = 600;

std::unique_ptr<CDeveloperScript> s_script;

bool ToNumber(const std::string& text, long& value)
{
    const char* end = text.data() + text.size();
    const auto [rest, failure] = std::from_chars(text.data(), end, value);
    return failure == std::errc() && rest == end;
}

// The words of a line; a quoted word keeps its blanks. False for an unclosed quote.
bool SplitWords(const std::string& line, std::vector<std::string>& words)
{
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        if (line[i] == '"') {
            const size_t close = line.find('"', i + 1);
            if (close == std::string::npos)
                return false;
            words.push_back(line.substr(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        size_t end = i;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r')
            ++end;
        words.push_back(line.substr(i, end - i));
        i = end;
    }
    return true;
}

// A key name of the key table (any case) or a key number; 0 when neither.
int ParseKey(const std::string& text)
{
    long number = 0;
    if (ToNumber(text, number))
        return platform::FindKey(static_cast<int>(number)) ? static_cast<int>(number) : 0;
    for (const platform::KeyInfo& key : platform::GetKeyTable())
        if (CompareTextNoCase(key.name, text.c_str()) == 0)
            return key.keyNumber;
    return 0;
}

int ParseButton(const std::string& text)
{
    if (text == "left")
        return platform::kMouseLeft;
    if (text == "right")
        return platform::kMouseRight;
    if (text == "middle")
        return platform::kMouseMiddle;
    return 0;
}

// The character a key types without Shift; 0 for none.
unsigned char CharacterOfKey(int virtualKey)
{
    if (virtualKey == 8 || virtualKey == 9 || virtualKey == 13 || virtualKey == 27 || virtualKey == 32 ||
        (virtualKey >= '0' && virtualKey <= '9'))
        return static_cast<unsigned char>(virtualKey);
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return static_cast<unsigned char>(virtualKey - 'A' + 'a');
    return 0;
}

// Why the command's arguments do not fit; empty when they do.
std::string CheckArguments(const CDeveloperScript::Command& command)
{
    const auto& args = command.arguments;
    const std::string& name = command.name;
    long number = 0;
    if (name == "key") {
        if (args.empty() || args.size() > 2)
            return "key takes a key and an optional number of steps";
        if (!ParseKey(args[0]))
            return "no key \"" + args[0] + "\"";
        if (args.size() == 2 && (!ToNumber(args[1], number) || number < 1))
            return "the steps a key is held must be a number from 1";
    } else if (name == "char") {
        if (args.size() != 1 || args[0].size() != 1)
            return "char takes one character";
    } else if (name == "text" || name == "click" || name == "screenshot") {
        if (args.size() != 1 || args[0].empty())
            return name + " takes one argument";
    } else if (name == "mouse") {
        if (args.size() < 2 || args.size() > 4 || !ToNumber(args[0], number) || !ToNumber(args[1], number))
            return "mouse takes x, y, an optional action and an optional button";
        if (args.size() >= 3 && args[2] != "down" && args[2] != "up" && args[2] != "click")
            return "no mouse action \"" + args[2] + "\" (down, up, click)";
        if (args.size() == 4 && !ParseButton(args[3]))
            return "no mouse button \"" + args[3] + "\" (left, right, middle)";
    } else if (name == "quit") {
        if (!args.empty())
            return "quit takes no argument";
    } else {
        return "no command \"" + name + "\"";
    }
    return "";
}

void PostKey(platform::EventType type, int key)
{
    platform::PostEvent(platform::Event::Key(type, key, platform::VirtualKeyOfKeyNumber(key, true)));
}

} // namespace

bool CDeveloperScript::Parse(const std::string& text, const std::string& baseFolder, std::string& error)
{
    m_commands.clear();
    m_next = 0;
    std::istringstream lines(text);
    std::string line;
    for (int lineNumber = 1; std::getline(lines, line); ++lineNumber) {
        std::vector<std::string> words;
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (!SplitWords(line, words)) {
            error = where + "a quote is not closed";
            return false;
        }
        if (words.empty() || words[0][0] == '#')
            continue;
        long step = 0;
        if (!ToNumber(words[0], step) || step < 0 || step > static_cast<long>(UINT32_MAX)) {
            error = where + "\"" + words[0] + "\" is not a step number";
            return false;
        }
        if (words.size() < 2) {
            error = where + "no command";
            return false;
        }
        Command command{static_cast<uint32_t>(step), words[1], {words.begin() + 2, words.end()}};
        if (std::string why = CheckArguments(command); !why.empty()) {
            error = where + why;
            return false;
        }
        if (command.name == "screenshot" && !baseFolder.empty())
            command.arguments[0] = (std::filesystem::path(baseFolder) / command.arguments[0]).string();
        m_commands.push_back(std::move(command));
    }
    // Lines of one step keep their order.
    std::stable_sort(m_commands.begin(), m_commands.end(),
                     [](const Command& a, const Command& b) { return a.step < b.step; });
    return true;
}

void CDeveloperScript::RunStep(uint32_t step, CJWindow* screen, CFrame* backBuffer)
{
    for (size_t i = 0; i < m_releases.size();) {
        const Release release = m_releases[i];
        if (release.step > step) {
            ++i;
            continue;
        }
        m_releases.erase(m_releases.begin() + static_cast<std::ptrdiff_t>(i));
        if (release.mouse)
            platform::PostEvent(
                platform::Event::Mouse(platform::EventType::MouseUp, release.x, release.y, release.code));
        else
            PostKey(platform::EventType::KeyUp, release.code);
    }
    if (m_click && !TryClick(step, screen))
        return;
    while (m_next < m_commands.size() && m_commands[m_next].step <= step) {
        Run(m_commands[m_next++], step, backBuffer);
        if (m_click && !TryClick(step, screen))
            return;
    }
}

bool CDeveloperScript::TryClick(uint32_t step, CJWindow* screen)
{
    PendingClick& click = *m_click;
    CJWindow* top = screen;
    while (top && top->GetModalWindow())
        top = top->GetModalWindow();
    CJWindow* target = top ? FindWindowByText(top, click.text.c_str()) : nullptr;
    if (!target) {
        std::fprintf(stderr, "script, step %u: no window \"%s\" in the top modal window\n", step, click.text.c_str());
        m_click.reset();
        return true;
    }
    // Where it was a step ago and still on screen: it rests.
    const CIntRect rect = target->GetScreenRect();
    const CIntRect& visible = target->GetVisibleRect();
    if (step == click.since || rect != click.lastRect || visible.IsEmpty()) {
        click.lastRect = rect;
        if (step - click.since < kClickPatience)
            return false;
        std::fprintf(stderr, "script, step %u: the window \"%s\" did not come to rest\n", step, click.text.c_str());
        m_click.reset();
        return true;
    }
    const int x = (visible.m_left + visible.m_right) / 2, y = (visible.m_top + visible.m_bottom) / 2;
    platform::PostEvent(platform::Event::Mouse(platform::EventType::MouseMove, x, y));
    platform::PostEvent(platform::Event::Mouse(platform::EventType::MouseDown, x, y, platform::kMouseLeft));
    m_releases.push_back({step + 1, true, platform::kMouseLeft, x, y});
    m_click.reset();
    return true;
}

void CDeveloperScript::Run(const Command& command, uint32_t step, CFrame* backBuffer)
{
    const auto& args = command.arguments;
    if (command.name == "key") {
        const int key = ParseKey(args[0]);
        long held = kDefaultKeySteps;
        if (args.size() == 2)
            ToNumber(args[1], held);
        PostKey(platform::EventType::KeyDown, key);
        if (unsigned char character = CharacterOfKey(platform::VirtualKeyOfKeyNumber(key, true)))
            platform::PostEvent(platform::Event::Char(character));
        m_releases.push_back({step + static_cast<uint32_t>(held), false, key, 0, 0});
    } else if (command.name == "char" || command.name == "text") {
        for (char character : args[0])
            platform::PostEvent(platform::Event::Char(static_cast<unsigned char>(character)));
    } else if (command.name == "mouse") {
        long x = 0, y = 0;
        ToNumber(args[0], x);
        ToNumber(args[1], y);
        const int button = args.size() == 4 ? ParseButton(args[3]) : platform::kMouseLeft;
        const int ix = static_cast<int>(x), iy = static_cast<int>(y);
        platform::PostEvent(platform::Event::Mouse(platform::EventType::MouseMove, ix, iy));
        if (args.size() >= 3 && args[2] != "up")
            platform::PostEvent(platform::Event::Mouse(platform::EventType::MouseDown, ix, iy, button));
        if (args.size() >= 3 && args[2] == "up")
            platform::PostEvent(platform::Event::Mouse(platform::EventType::MouseUp, ix, iy, button));
        if (args.size() >= 3 && args[2] == "click")
            m_releases.push_back({step + 1, true, button, ix, iy});
    } else if (command.name == "click") {
        m_click = PendingClick{args[0], step, CIntRect{}};
    } else if (command.name == "screenshot") {
        if (!backBuffer || !backBuffer->SaveTga(args[0].c_str(), VF_VERBATIM))
            std::fprintf(stderr, "script, step %u: cannot write the screenshot %s\n", step, args[0].c_str());
    } else if (command.name == "quit") {
        CloseMainWindow();
    }
}

namespace {

// The text as a window keeps it: a single '&' marks the shortcut and is dropped, "&&" is one '&'.
std::string WithoutShortcutMark(const char* text)
{
    std::string plain;
    for (const char* c = text; *c; ++c) {
        if (*c == '&' && c[1] != '\0')
            ++c;
        plain += *c;
    }
    return plain;
}

CJWindow* FindWindowWithPlainText(CJWindow* root, const std::string& plain)
{
    if (plain == root->GetText())
        return root;
    for (CJWindow* child = root->GetFrontChild(); child; child = child->GetNextSibling())
        if (CJWindow* found = FindWindowWithPlainText(child, plain))
            return found;
    return nullptr;
}

} // namespace

CJWindow* CDeveloperScript::FindWindowByText(CJWindow* root, const char* text)
{
    return root ? FindWindowWithPlainText(root, WithoutShortcutMark(text)) : nullptr;
}

CDeveloperScript* GetDeveloperScript()
{
    return s_script.get();
}

bool LoadDeveloperScript(const char* fileName, std::string& error)
{
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        error = std::string("cannot read the script ") + fileName;
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    auto script = std::make_unique<CDeveloperScript>();
    std::error_code ignored;
    if (!script->Parse(text.str(), std::filesystem::current_path(ignored).string(), error)) {
        error = std::string(fileName) + ", " + error;
        return false;
    }
    s_script = std::move(script);
    return true;
}
