#include "shell/Game.h"

#include "app/TimedPictureScreen.h"
#include "graphics/Color.h"
#include "graphics/ScreenFrame.h"

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
    // Until the game draws, the page is a plain dark blue, so that the window can be told from the
    // desktop behind it.
    if (CScreenFrame* display = GetDisplay()) {
        CColor darkBlue;
        darkBlue.ConstructRgba(0, 0, 64, 255);
        display->FillWithColor(darkBlue);
    }
    return CApplicationBase::Draw();
}
