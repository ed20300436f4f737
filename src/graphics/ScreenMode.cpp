#include "graphics/ScreenMode.h"

#include "foundation/ConfigFile.h"
#include "foundation/Win32Services.h"
#include "graphics/ScreenFrame.h"

namespace {
int32_t s_displayBitsPerPixel = 8;
} // namespace

int32_t GetDisplayBitsPerPixel()
{
    return s_displayBitsPerPixel;
}

void SetDisplayBitsPerPixel(int32_t depth)
{
    s_displayBitsPerPixel = depth;
}

void SetUpScreenMode(int32_t depth, int32_t width, int32_t height)
{
    const char* file = g_configFile.GetPath();
    const char* section = g_configFile.GetSection();
    // Both size keys exist after every start.
    int32_t w = ReadConfigInt(file, section, "Screen Width", kDefaultScreenWidth);
    int32_t h = ReadConfigInt(file, section, "Screen Height", kDefaultScreenHeight);
    WriteConfigInt(file, section, "Screen Width", w);
    WriteConfigInt(file, section, "Screen Height", h);
    int32_t configuredDepth = ReadConfigInt(file, section, "Screen Bit Depth", kDefaultScreenDepth);

    // The switches count for this run only.
    w = GetCommandLineOptionInt("/ScreenWidth", w);
    h = GetCommandLineOptionInt("/ScreenHeight", h);
    configuredDepth = GetCommandLineOptionInt("/ScreenBitDepth", configuredDepth);

    const int32_t d = depth != 0 ? depth : configuredDepth;
    const int32_t modeWidth = width != 0 && height != 0 ? width : w;
    const int32_t modeHeight = width != 0 && height != 0 ? height : h;

    CScreenFrame* display = CScreenFrame::GetDisplayFrame();
    int32_t setWidth = modeWidth, setHeight = modeHeight;
    bool done = display && display->SetDisplayMode(setWidth, setHeight, d, d);
    if (display && !done && d == 24) {
        setWidth = modeWidth;
        setHeight = modeHeight;
        done = display->SetDisplayMode(setWidth, setHeight, 32, 24);
    }
    if (!done)
        FatalExit("FATAL ERROR", "Couldn't set resolution");

    if (depth == 0)
        SetDisplayBitsPerPixel(configuredDepth);
    display->SetBrightness(ReadConfigFloat(file, section, "Screen Brightness", 1.0f));
}
