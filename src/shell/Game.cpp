#include "shell/Game.h"

#include "app/Mouse.h"
#include "app/TimedPictureScreen.h"
#include "game/bricks/BackgroundCollection.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/bricks/BrickLayoutCollection.h"
#include "game/ship/ParticleGeneratorCollection.h"
#include "graphics/Color.h"
#include "graphics/FontCollection.h"
#include "graphics/FrameOverlayOptionsCollection.h"
#include "graphics/ScreenFrame.h"
#include "graphics/SequenceCollection.h"
#include "shell/stats/Stats.h"

CGame::CGame(CTimedPictureScreen* pictureScreen)
    : CApplicationBase(1.0f / 60.0f, 1.0f / 60.0f, 1.0f / 12.0f, pictureScreen, "Intro.wav", nullptr),
      m_pictureScreen(pictureScreen)
{
}

CGame::~CGame()
{
    if (m_stats) {
        m_stats->Save();
        delete m_stats;
    }
    delete m_pictureScreen;
}

void CGame::Init(CTimedPictureScreen* pictureScreen)
{
    // Each start counts down to the reminder of the version check.
    m_stats = new CStats;
    m_stats->Load();
    if (uint32_t launches = m_stats->GetLaunchesSinceVersionCheck())
        m_stats->SetLaunchesSinceVersionCheck(launches - 1);

    CApplicationBase::Init(pictureScreen);

    // The fonts, the overlay texts, the sequences and the mouse cursor, as far as the data holds
    // them; the menus that will show the cursor are not here yet, so it shows from the start.
    CFontCollection& fonts = CFontCollection::GetInstance();
    fonts.SetUpAtStartUp();
    fonts.LoadAll();
    CFrameOverlayOptionsCollection::GetInstance().SetUpAtStartUp();
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    sequences.SetUpAtStartUp();
    if (CSequence* cursor = sequences.FindSequence("MouseCursor"))
        g_mouse.SetCursorSequence(cursor);
    CBrickInfoCollection::GetInstance().SetUpAtStartUp();
    CBackgroundCollection::GetInstance().SetUpAtStartUp();
    CBrickLayoutCollection::GetInstance().SetUpAtStartUp();
    CParticleGeneratorCollection::GetInstance().SetUpAtStartUp();
    SetUpScreenWindow(nullptr, nullptr, nullptr, fonts.FindFont("OCR Monospaced Numbers"), fonts.FindFont("Small Blue"));
    g_mouse.ShowCursor();

    // The start-up picture has shown while the game loaded; it stays its full time (a key or a
    // click cuts it short) and fades out before the first frame.
    if (pictureScreen)
        pictureScreen->Finish();
}

void CGame::Update(float seconds)
{
    StartUpdateTiming();
    g_mouse.AnimateCursor(seconds);
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
        g_mouse.DrawCursor(display);
    }
    return CApplicationBase::Draw();
}

CStats* GetStats()
{
    auto* game = dynamic_cast<CGame*>(g_application);
    return game ? game->GetStats() : nullptr;
}
