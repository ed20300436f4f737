#pragma once
// Choosing the display mode at start-up: from the settings "Screen Width", "Screen Height" and
// "Screen Bit Depth" and the switches "/ScreenWidth", "/ScreenHeight" and "/ScreenBitDepth", with
// a 32-bit display for 24-bit data when no 24-bit mode can be set; then the stored brightness.
#include <cstdint>

// The application's defaults.
constexpr int32_t kDefaultScreenWidth = 640;
constexpr int32_t kDefaultScreenHeight = 480;
constexpr int32_t kDefaultScreenDepth = 16;

// Sets the mode of the display frame. A depth of 0 takes the depth from the settings (which then
// becomes the display depth images are converted to); a width or height of 0 takes the size from
// the settings. No mode at all ends the program ("FATAL ERROR" / "Couldn't set resolution").
void SetUpScreenMode(int32_t depth, int32_t width, int32_t height);

// The depth images are converted to when they load: 8 until the application sets it.
int32_t GetDisplayBitsPerPixel();
void SetDisplayBitsPerPixel(int32_t depth);
