// Reads arbitrary bytes as the settings file ("Vantorel.CFG") through the helpers the game reads
// and writes its settings with: numbers, floats and texts by section and key into buffers of
// several sizes, values written and read back, and a player's control set reading its controller
// and key bindings, polled with keys held and its bindings named, saved and read again. Texts read
// always end inside their buffer; what is written reads back; bindings survive their own save.
//
// The seed corpus is made by the settings writers: run the corpus runner with VANTOREL_WRITE_SEEDS
// naming the folder (fuzz/corpus/fuzz_settings) and it writes the seeds there first.
#include "FuzzSupport.h"
#include "app/Keyboard.h"
#include "app/PlayerControls.h"
#include "foundation/ConfigFile.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using fuzzsupport::Check;

constexpr const char* kFile = ".\\Vantorel.CFG";
constexpr const char* kDiskName = "Vantorel.CFG";
constexpr int kActions = 6;
const char* const kActionNames[kActions] = {"Left", "Right", "Shoot", "Timeout", "Up", "Down"};

void DefineActions(CPlayerControls& controls)
{
    for (int i = 0; i < kActions; ++i)
        controls.DefineAction(i, i < 4 ? "Player" : "Menu", kActionNames[i],
                              i == 2 ? CPlayerControls::kOncePerPress : CPlayerControls::kRepeatWhileHeld, 100, 0, 0);
}

void WriteSeeds(const std::string& folder)
{
    std::filesystem::remove(kDiskName);
    WriteConfigInt(kFile, "Options", "Screen Width", 640);
    WriteConfigInt(kFile, "Options", "Screen Bit Depth", 16);
    WriteConfigFloat(kFile, "Options", "Screen Brightness", 1.25f);
    WriteConfigString(kFile, "Options", "Player 1 Controler ID Number", "0");
    {
        CPlayerControls controls(true, 0, -1, kActions);
        DefineActions(controls);
        controls.SetBinding(0, 75 + 256, 0, 0, 0);
        controls.SetBinding(1, 77 + 256, 42, 1, 0);
        controls.SetBinding(2, 57, 0, 2, 1);
        controls.SaveBindings(nullptr);
    }
    std::ifstream in(kDiskName, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(folder + "/saved.cfg", std::ios::binary) << text;
    std::ofstream(folder + "/cut.cfg", std::ios::binary) << text.substr(0, text.size() * 2 / 3);
    std::ofstream(folder + "/odd.cfg", std::ios::binary)
        << "; a comment\r\n[ Options ]\r\nScreen Width = -2147483648\r\nScreen Brightness=1e999\r\n[Options\r\n"
           "=nothing\r\nPlayer 1 Controler ID Number=99999999999\r\n[Player 1 Keyboard]\r\n"
           "Player Left=-7,600,-1,4294967295\r\nPlayer Shoot=1,2,3\r\n";
}

void ReadTexts(const char* section, const char* key)
{
    for (uint32_t size : {1u, 2u, 20u, 256u}) {
        char buffer[256];
        std::memset(buffer, 'x', sizeof buffer);
        std::strcpy(buffer, "d");
        if (size == 1)
            buffer[0] = '\0';
        const uint32_t copied = ReadConfigString(kFile, section, key, buffer, size);
        Check(copied < size && std::memchr(buffer, '\0', size) != nullptr);
    }
    (void)ReadConfigInt(kFile, section, key, -1);
    (void)ReadConfigFloat(kFile, section, key, 0.5f);
}

void Settings()
{
    for (const char* key : {"Screen Width", "Screen Bit Depth", "Screen Brightness", "Music Volume", ""})
        ReadTexts("Options", key);
    ReadTexts("  \t Options", "Screen Width");
    ReadTexts("Player 1 Keyboard", "Player Left");

    Check(WriteConfigInt(kFile, "Options", "Fuzz Number", -12345) &&
          ReadConfigInt(kFile, "Options", "Fuzz Number", 0) == -12345);
    Check(WriteConfigFloat(kFile, " Options", "Fuzz Float", 0.75f) &&
          ReadConfigFloat(kFile, "Options", "Fuzz Float", 0.0f) == 0.75f);
    char text[32] = "";
    Check(WriteConfigString(kFile, "Fuzz Section", "Fuzz Text", "a = b ; c") &&
          ReadConfigString(kFile, "Fuzz Section", "Fuzz Text", text, sizeof text) == 9 &&
          std::strcmp(text, "a = b ; c") == 0);
}

void Controls()
{
    CPlayerControls controls(true, 0, -1, kActions);
    DefineActions(controls);
    controls.LoadBindings(nullptr);
    for (int key : {1, 42, 57, 75 + 256, 77 + 256})
        g_keyboard.OnKeyDown(key);
    controls.Poll(true, false);
    CSharedString text;
    for (int i = 0; i < kActions; ++i)
        controls.GetBindingText(i, text);
    controls.SaveBindings(nullptr);
    CPlayerControls again(true, 0, -1, kActions);
    DefineActions(again);
    again.LoadBindings(nullptr);
    for (int i = 0; i < kActions; ++i) {
        const CPlayerControls::Binding& a = controls.GetBinding(i);
        const CPlayerControls::Binding& b = again.GetBinding(i);
        Check(a.key == b.key && a.modifierKey == b.modifierKey && a.joystickMask == b.joystickMask &&
              a.mouseMask == b.mouseMask);
    }
    g_keyboard.ClearAll(true);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsupport::PrepareOnce(&WriteSeeds);
    if (size > (1u << 20))
        return 0;
    g_configFile.SetPath(kFile);
    fuzzsupport::WriteInput(kDiskName, data, size);
    fuzzsupport::FatalScope fatal;
    try {
        Controls();
        Settings();
    } catch (const fuzzsupport::FatalEnd&) {
        std::abort(); // no setting ends the program
    }
    return 0;
}
