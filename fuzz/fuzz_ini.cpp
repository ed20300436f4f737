// Parses arbitrary bytes as a settings file. Writing the lines out and reading them again must
// give the same file, and a key that was set must read back.
#include "foundation/IniFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CIniFile ini;
    ini.Parse(reinterpret_cast<const char*>(data), size);
    std::string value;
    ini.Find("Options", "Music Volume", value);
    ini.Find(" options ", "", value);

    const std::string text = ini.Serialize();
    CIniFile again;
    again.Parse(text.data(), text.size());
    if (again.Serialize() != text)
        std::abort();

    again.Set("Options", "Music Volume", "-3333");
    if (!again.Find("OPTIONS", "music volume", value) || value != "-3333")
        std::abort();
    again.Set("Options", "Music Volume", nullptr);
    again.Set("Player 2", "Name", "x");
    if (!again.Find("Player 2", "Name", value) || value != "x")
        std::abort();
    again.Set("Player 2", nullptr, nullptr);
    return 0;
}
