#include "foundation/Win32Services.h"

#include "foundation/TextUtilities.h"
#include "platform/Platform.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

std::string& CommandLine()
{
    static std::string s_commandLine;
    return s_commandLine;
}

std::unique_ptr<char[]>& ClipboardBuffer()
{
    static std::unique_ptr<char[]> s_buffer;
    return s_buffer;
}

bool IsBlank(char c)
{
    return c == '\t' || c == ' ' || c == '\r' || c == '\n';
}

// The first case-insensitive occurrence of option in the command line, or null.
const char* FindOption(const char* option)
{
    if (!option || !*option)
        return nullptr;
    const std::string& line = CommandLine();
    size_t n = std::strlen(option);
    for (size_t i = 0; i + n <= line.size(); ++i)
        if (CompareTextNoCaseN(line.c_str() + i, option, n) == 0)
            return line.c_str() + i + n;
    return nullptr;
}

// Like atoi, but a value beyond the int range gives the nearest limit instead of undefined results.
int ParseInt(const char* text, const char* end)
{
    std::string value(text, end);
    long long v = std::strtoll(value.c_str(), nullptr, 10);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

bool CopyOut(const std::string& text, char* buffer, size_t size)
{
    if (!buffer || size == 0)
        return false;
    buffer[0] = 0;
    if (text.empty() || text.size() >= size)
        return false;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}

} // namespace

void SetCommandLine(const char* text)
{
    CommandLine() = text ? text : "";
}

const char* GetCommandLine()
{
    return CommandLine().c_str();
}

bool HasCommandLineOption(const char* option)
{
    const char* after = FindOption(option);
    return after && (*after == 0 || IsBlank(*after));
}

bool GetCommandLineOptionText(const char* option, std::string& text)
{
    const char* p = FindOption(option);
    if (!p)
        return false;
    while (IsBlank(*p))
        ++p;
    if (*p == 0)
        return false;
    const char* end = p;
    while (*end && !IsBlank(*end))
        ++end;
    if (*p == '"') {
        ++p;
        const char* quote = std::strchr(p, '"');
        if (quote)
            end = quote;
    }
    text.assign(p, end);
    return true;
}

int GetCommandLineOptionInt(const char* option, int defaultValue)
{
    std::string value;
    if (!GetCommandLineOptionText(option, value))
        return defaultValue;
    return ParseInt(value.c_str(), value.c_str() + value.size());
}

bool GetProgramFileName(char* buffer, size_t size)
{
    return CopyOut(platform::GetExecutablePath(), buffer, size);
}

std::string GetExecutableFolder()
{
    std::string path = platform::GetExecutablePath();
    size_t cut = path.find_last_of('\\');
    if (cut == std::string::npos)
        cut = path.find_last_of('/');
    if (cut == std::string::npos)
        return {};
    return path.substr(0, cut + 1);
}

bool GetExecutableFolder(char* buffer, size_t size)
{
    return CopyOut(GetExecutableFolder(), buffer, size);
}

bool GetTempFolder(char* buffer, size_t size)
{
    if (!buffer || size == 0)
        return true;
    std::string folder = platform::GetTempFolder();
    size_t n = std::min(folder.size(), size - 1);
    std::memcpy(buffer, folder.data(), n);
    buffer[n] = 0;
    return true;
}

void SetCurrentDirectoryToExecutableFolder()
{
    std::string folder = GetExecutableFolder();
    if (!folder.empty())
        platform::SetCurrentDirectory(folder.c_str());
}

void CloseMainWindow()
{
    platform::PostEvent(platform::Event::Simple(platform::EventType::Close));
}

void BringDesktopToFront()
{
    platform::MinimizeMainWindow();
}

void ShowMessageBox(const char* caption, const char* text)
{
    platform::SetSystemCursorVisible(true);
    BringDesktopToFront();
    platform::ShowMessageBox(caption, text);
    platform::SetSystemCursorVisible(false);
}

void ShowPlainMessageBox(const char* caption, const char* text)
{
    platform::ShowPlainMessageBox(caption, text);
}

void FatalExit(const char* caption, const char* text)
{
    // The box needs the system arrow and the desktop; the platform's end shows it and ends.
    platform::SetSystemCursorVisible(true);
    BringDesktopToFront();
    platform::FatalExit(caption, text);
}

int GetScreenBitDepth()
{
    return platform::GetDesktopBitDepth();
}

bool LaunchProgram(const char* program, const char* argument, int, ProcessHandle* handle, const char* folder)
{
    const auto pid = platform::LaunchProcess(program, argument, folder, handle == nullptr);
    if (handle)
        *handle = pid > 0 ? static_cast<ProcessHandle>(pid) : 0;
    return pid > 0;
}

bool LaunchProgram(const char* program, const char* argument, const char* folder, int showMode)
{
    return LaunchProgram(program, argument, showMode, nullptr, folder);
}

bool ShellOpen(const char* document)
{
    BringDesktopToFront();
    return platform::OpenDocument(document);
}

int FixedPointDivide(int a, int b, int shift)
{
    if (b == 0 || shift < 0 || shift > 31)
        return -1;
    // 2^shift is a 32-bit int multiplier: a shift of 31 multiplies by INT_MIN.
    long long multiplier = static_cast<int32_t>(1u << shift);
    long long numerator = static_cast<long long>(a) * multiplier;
    long long divisor = b;
    if (divisor < 0) {
        numerator = -numerator;
        divisor = -divisor;
    }
    long long result = numerator >= 0 ? (numerator + divisor / 2) / divisor : (numerator - divisor / 2) / divisor;
    if (result > INT_MAX || result < -INT_MAX)
        return -1;
    return static_cast<int>(result);
}

uint32_t GetTickCount24()
{
    return platform::GetTickCount() & 0xFFFFFFu;
}

bool CopyTextToClipboard(const char* text, size_t n)
{
    if (!text && n)
        return false;
    // The text ends at its first zero byte, like any clipboard text.
    std::string copy(text ? text : "", n);
    copy.resize(std::strlen(copy.c_str()));
    return platform::SetClipboardText(copy);
}

const char* PasteTextFromClipboard(std::unique_ptr<char[]>& owner)
{
    owner.reset();
    std::string text;
    if (!platform::GetClipboardText(text))
        return nullptr;
    owner = std::make_unique<char[]>(text.size() + 1);
    std::memcpy(owner.get(), text.c_str(), text.size() + 1);
    return owner.get();
}

const char* PasteTextFromClipboard()
{
    return PasteTextFromClipboard(ClipboardBuffer());
}
