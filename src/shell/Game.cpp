#include "shell/Game.h"

#include "app/TimedPictureScreen.h"
#include "platform/Backend.h"

#include <cstddef>
#include <cstdint>

namespace {

// Until the game draws, the page is a plain dark blue, so that the window can be told from the
// desktop behind it.
void DrawPlainPage()
{
    platform::Display& display = platform::GetDisplay();
    uint8_t* pixels = nullptr;
    int pitch = 0;
    if (!display.Lock(pixels, pitch))
        return;
    const platform::DisplayMode mode = display.GetMode();
    const int bytes = platform::BytesPerPixel(mode.bitsPerPixel);
    for (int y = 0; y < mode.height; ++y) {
        uint8_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch);
        for (int x = 0; x < mode.width; ++x) {
            uint8_t* p = row + static_cast<size_t>(x) * static_cast<size_t>(bytes);
            if (bytes == 2) {
                p[0] = 0x08;   // RGB565 (0, 0, 64)
                p[1] = 0x00;
            } else if (bytes >= 3) {
                p[0] = 64;     // blue, green, red
                p[1] = 0;
                p[2] = 0;
            } else {
                p[0] = 0;
            }
        }
    }
    display.Unlock();
}

} // namespace

CGame::CGame(CTimedPictureScreen* pictureScreen)
    : CApplicationBase(1.0f / 60.0f, 1.0f / 60.0f, 1.0f / 12.0f, pictureScreen, "Intro.wav", nullptr),
      m_pictureScreen(pictureScreen)
{
}

CGame::~CGame()
{
    delete m_pictureScreen;
}

void CGame::Init(CTimedPictureScreen* pictureScreen)
{
    CApplicationBase::Init(pictureScreen);
}

void CGame::Update(float seconds)
{
    StartUpdateTiming();
    CApplicationBase::Update(seconds);
}

bool CGame::Draw()
{
    StartDrawTiming();
    DrawPlainPage();
    return CApplicationBase::Draw();
}
