#include "shell/Game.h"

#include "app/Mouse.h"
#include "app/TimedPictureScreen.h"
#include "game/Playfield.h"
#include "game/ship/MessageDisplay.h"
#include "game/ship/ParticleGeneratorCollection.h"
#include "graphics/Color.h"
#include "graphics/FontCollection.h"
#include "graphics/FrameOverlayOptionsCollection.h"
#include "graphics/ScreenFrame.h"
#include "graphics/SequenceCollection.h"
#include "app/PlayerControls.h"
#include "shell/CreatePlayerControls.h"
#include "shell/StandInField.h"
#include "shell/TimedMessage.h"
#include "online/ModuleInfoCollection.h"
#include "shell/stats/Stats.h"

namespace {

// The message display's rectangle beside the field.
constexpr int32_t kMessageLeft = 531;
constexpr int32_t kMessageTop = 35;
constexpr int32_t kMessageWidth = 88;
constexpr int32_t kMessageHeight = 93;
constexpr uint32_t kNormal = 1;

} // namespace

CGame::CGame(CTimedPictureScreen* pictureScreen)
    : CApplicationBase(1.0f / 60.0f, 1.0f / 60.0f, 1.0f / 12.0f, pictureScreen, "Intro.wav", nullptr),
      m_pictureScreen(pictureScreen)
{
}

CGame::~CGame()
{
    // The sprites go before the looks they show.
    m_playfield.reset();
    m_messageDisplay.reset();
    m_timedMessage.reset();
    m_controls.reset();
    m_standInField.reset();
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

    // The installed modules; the game's own entry carries the version of the program that runs.
    CModuleInfoCollection& modules = CModuleInfoCollection::GetInstance();
    modules.SetUpAtStartUp();
    modules.StoreProgramVersion();

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
    CParticleGeneratorCollection::GetInstance().SetUpAtStartUp();
    SetUpScreenWindow(nullptr, nullptr, nullptr, fonts.FindFont("OCR Monospaced Numbers"), fonts.FindFont("Small Blue"));
    g_mouse.ShowCursor();

    m_messageDisplay = std::make_unique<CMessageDisplay>(fonts.FindFont("Small Blue"), fonts.FindFont("Devuduvozo"),
                                                         fonts.FindFont("OCR Monospaced Numbers"), kMessageLeft,
                                                         kMessageTop, kMessageWidth, kMessageHeight);
    SetMessageDisplay(m_messageDisplay.get());
    m_timedMessage = std::make_unique<CTimedMessage>();
    m_timedMessage->SetFont(fonts.FindFont("Small Blue"));
    m_controls.reset(CreatePlayerControls(0));
    m_standInField = std::make_unique<CStandInField>();
    m_playfield = std::make_unique<CPlayfield>();
    m_playfield->SetHost(this);
    SetPlayfield(m_playfield.get());
    m_timedMessage->SetArea(m_playfield->GetFieldRect());

    // The start-up picture has shown while the game loaded; it stays its full time (a key or a
    // click cuts it short) and fades out before the first frame.
    if (pictureScreen)
        pictureScreen->Finish();
    StartGame();
}

void CGame::StartGame()
{
    m_restartDelay = 0;
    m_archivedGame = nullptr;
    m_playing = true;
    m_playfield->StartNewGame(0, kNormal, false);
}

CPlayerControls* CGame::GetPlayerControls(int index)
{
    return index == 0 ? m_controls.get() : nullptr;
}

bool CGame::OnKey(int key)
{
    if (m_playing && m_playfield && m_playfield->HandleSkipKey(static_cast<uint32_t>(key)))
        return true;
    return CApplicationBase::OnKey(key);
}

void CGame::Update(float seconds)
{
    StartUpdateTiming();
    g_mouse.AnimateCursor(seconds);
    if (m_controls)
        m_controls->Poll(true, false);
    if (m_playing && m_playfield)
        m_playfield->Update(seconds);
    else if (m_restartDelay > 0 && --m_restartDelay == 0)
        StartGame();
    if (m_messageDisplay)
        m_messageDisplay->Update(seconds);
    if (m_timedMessage)
        m_timedMessage->Update(seconds);
    CApplicationBase::Update(seconds);
}

bool CGame::Draw()
{
    StartDrawTiming();
    // Until the backgrounds come, the field lies on a plain dark blue page.
    if (CScreenFrame* display = GetDisplay()) {
        CColor darkBlue;
        darkBlue.ConstructRgba(0, 0, 64, 255);
        display->FillWithColor(darkBlue);
        if (m_playfield && !m_blankBackground) {
            m_playfield->DrawStaticBackground(display);
            m_playfield->Draw(display);
            m_playfield->DrawBrickLayer(display);
        }
        if (m_timedMessage)
            m_timedMessage->Draw(display);
        if (m_messageDisplay)
            m_messageDisplay->Draw(display);
        g_mouse.DrawCursor(display);
    }
    return CApplicationBase::Draw();
}

CStats* GetStats()
{
    auto* game = dynamic_cast<CGame*>(g_application);
    return game ? game->GetStats() : nullptr;
}
