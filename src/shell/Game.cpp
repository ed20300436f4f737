#include "shell/Game.h"

#include "app/DemoRecorder.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/PlayerControls.h"
#include "app/TimedPictureScreen.h"
#include "foundation/ConfigFile.h"
#include "foundation/CpuInfo.h"
#include "game/Playfield.h"
#include "game/ship/MessageDisplay.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/FindSpriteAI.h"
#include "objects/ChangedGammaMessage.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/FrameCollection.h"
#include "shell/AdvertisementRotator.h"
#include "shell/CreatePlayerControls.h"
#include "shell/DemoRecordingRun.h"
#include "shell/DeveloperScript.h"
#include "shell/Commercial.h"
#include "shell/MainMenuWindow.h"
#include "shell/TimedMessage.h"
#include "shell/stats/Stats.h"
#include "sound/MusicList.h"
#include "sound/MusicMixer.h"
#include "ui/ScreenWindow.h"
#include "ui/UiKeys.h"

namespace {

constexpr int kAmbientLevel = 2;

// Songs the data may lack, and the song each plays instead.
constexpr const char* kMusicSubstitutes[][2] = {
    {"Infinity/Infinity Norm.ogg", "Infinity Fast.ogg"},
    {"Infinity/Infinity Slow.ogg", "Infinity Fast.ogg"},
    {"Rock/Rocknorm.ogg", "Rockfast.ogg"},
    {"Rock/Rockslow.ogg", "Rockfast.ogg"},
    {"Space/SpaceRumble norm.ogg", "SpaceRumble fast.ogg"},
    {"Space/SpaceRumble slow.ogg", "SpaceRumble fast.ogg"},
    {"Water/Water Norm.ogg", "Water Fast.ogg"},
    {"Water/Water Slow.ogg", "Water Fast.ogg"},
    {"Theme.ogg", "Rockfast.ogg"},
};

float s_gameClock = 0.0f;

uint32_t FindSong(const char* name)
{
    const int index = CMusicList::GetInstance().FindSong(name, -1);
    return index < 0 ? 0 : static_cast<uint32_t>(index);
}

} // namespace

int GetDefaultBackgroundDetailLevel(bool sixtyFourBit, int cpuClass)
{
    // The class table knows only old base families and models: a new processor may land in a
    // low class, so a 64-bit one always gets the full level.
    if (sixtyFourBit)
        return 2;
    return cpuClass >= 1 && cpuClass <= 3 ? 1 : 2;
}

CGame::CGame(CTimedPictureScreen* pictureScreen)
    : CApplicationBase(1.0f / 60.0f, 1.0f / 60.0f, 1.0f / 12.0f, pictureScreen, "Intro.wav", nullptr),
      m_pictureScreen(pictureScreen)
{
    m_backgroundDetailLevel =
        ReadConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), "Background Detail Level",
                      GetDefaultBackgroundDetailLevel(sizeof(void*) == 8, GetCpuClass()));
    m_background = std::make_unique<CFrame>();
    m_backBuffer = std::make_unique<CDirtyRectFrame>();
    m_backBuffer->SetBackgroundFrame(m_background.get());
    m_playfield = std::make_unique<CPlayfield>();
    m_playfield->SetHost(this);
    m_playfield->SetBackgroundDetailLevel(m_backgroundDetailLevel);
    for (const auto& pair : kMusicSubstitutes)
        CMusicList::GetInstance().AddSubstitute(pair[0], pair[1]);
    m_musicMixer = std::make_unique<CMusicMixer>();
    m_musicMixer->SetMixLevelSong(kAmbientLevel, FindSong("Theme.ogg"));
    m_musicMixer->SelectMixLevel(kAmbientLevel);
    m_musicMixer->Update(0.0f);
}

CGame::~CGame()
{
    // A demo's records point into this game's playfield and back buffer: none plays on past it,
    // and its end calls back into no half-deleted game.
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    recorder->SetFinishCallback(nullptr);
    if (recorder->IsPlaying())
        recorder->Stop();
    m_timedMessage.reset();
    // The windows go before the game they call back. A dialog over the main menu holds the menu
    // and gives it back as it goes, so the front window goes each time.
    if (CScreenWindow* screen = GetScreenWindow())
        while (CJWindow* front = screen->GetFrontChild())
            delete front;
    // The default skin is an item of the skin list, which the resources' unloading deletes.
    CJWindow::SetDefaultTheme(nullptr);
    if (m_stats) {
        SaveStatsAtClose();
        delete m_stats;
        m_stats = nullptr;
    }
    m_playfield.reset();
    m_messageDisplay.reset();
    m_backBuffer.reset();
    m_background.reset();
    for (auto& controls : m_controls)
        controls.reset();
    m_musicMixer.reset();
    delete m_pictureScreen;
}

CPlayerControls* CGame::GetPlayerControls(int index)
{
    return index >= 0 && index < kControlSetCount ? m_controls[index].get() : nullptr;
}

void CGame::Update(float seconds)
{
    StartUpdateTiming();
    // Over whatever the last step opened: a save's failure is told on top.
    m_saveNotices.ShowPending(GetScreenWindow());
    if (CDeveloperScript* script = GetDeveloperScript())
        script->RunStep(++m_updateSteps, GetScreenWindow(), m_backBuffer.get());
    if (CDemoRecordingRun* recording = GetDemoRecordingRun())
        recording->Step(*this);
    g_mouse.AnimateCursor(seconds);
    if (m_commercial)
        m_commercial->UpdateCaptions(seconds);
    const bool modal = HasModalWindow();
    // No analog update: nothing here reads the analog direction, and the update pulls the pointer
    // back into its circle round the screen's centre, which would keep the ship (it follows the
    // pointer's x) from the field's sides and the pointer from the buttons near the corners.
    for (auto& controls : m_controls)
        if (controls)
            controls->Poll(false, modal);
    FeedMenuNavigation(modal);
    // The playfield's effects run only while it plays unhindered.
    m_requestedForce = !modal && m_mode == kModePlaying ? m_forceBits | kForcePlayfield : 0u;
    CShipAI::SetForceFeedbackAmbience(m_requestedForce);
    if (m_mode == kModePlaying)
        UpdatePlay(seconds);
    else if (m_mode == kModeMainMenu) {
        UpdateMenuBalls(seconds);
        m_musicMixer->SetMixLevelSong(kAmbientLevel, FindSong("Theme.ogg"));
        m_musicMixer->SelectMixLevel(kAmbientLevel);
    }
    s_gameClock += seconds;
    m_musicMixer->Update(seconds);
    CApplicationBase::Update(seconds);
}

void CGame::UpdatePlay(float seconds)
{
    if (m_timedMessage)
        m_timedMessage->Update(seconds);
    const int level = ChooseMixLevel();
    if (level >= 0)
        m_musicMixer->SelectMixLevel(level);
    m_titleScroll.Step();
    if (m_adRotator)
        m_adRotator->Update(seconds);
    if (!HasModalWindow())
        m_playfield->Update(seconds);
    CPlayerControls* first = m_controls[0].get();
    const bool shoot = first && first->IsFiring(kActionShoot);
    const bool timeout = first && first->IsFiring(kActionTimeout);
    if (m_commercial && (shoot || timeout)) {
        g_keyboard.ClearAll();
        m_commercial->Stop();
    }
    if (m_messageDisplay)
        m_messageDisplay->Update(seconds);
    // Pause menus never stack: a modal window already takes the input.
    if (timeout && m_mode != kModeMainMenu && !HasModalWindow())
        OnTimeout();
}

void CGame::FeedMenuNavigation(bool modal)
{
    // The first player's fire presses a dialog's default button. A fire that came from its key
    // also reaches the dialog as that key, which must not press a second button.
    CPlayerControls* first = m_controls[0].get();
    CScreenWindow* screen = GetScreenWindow();
    if (!modal || !first || !screen || !first->IsFiring(kActionShoot))
        return;
    // Held or only tapped since the last step: a quick tap is up again by now.
    if (first->IsDownByKey(kActionShoot))
        return;
    screen->OnKey(uikey::kControlSetAction);
}

int CGame::ChooseMixLevel() const
{
    if (m_commercial)
        return -1;
    const CSprite* ship = m_playfield->GetShip().GetHead();
    const CShipAI* shipAI = ship ? FindSpriteAI<CShipAI>(ship) : nullptr;
    return ChooseMixLevelFor(m_playfield->GetLastBallSpeed(), HasModalWindow(), shipAI && shipAI->HasGuns(),
                             static_cast<int>(m_playfield->GetBalls().Count()));
}

int ChooseMixLevelFor(float lastBallSpeed, bool modal, bool guns, int ballsInPlay)
{
    const int shown = static_cast<int>(lastBallSpeed * 0.24509804f);
    if (modal)
        return 2;
    if (guns || ballsInPlay > 1 || shown > 120)
        return 0;
    if (shown >= 1 && shown <= 69)
        return 2;
    return 1;
}

bool CGame::HandleMessage(CBroadcastMessage* message)
{
    if (!message || message->m_type != CChangedGammaMessage::GetMessageType())
        return false;
    InvalidateScreen();
    message->m_handled = 1;
    return true;
}

void CGame::AddRedrawArea(CJWindow* window)
{
    if (window)
        AddBackgroundRebuildRect(window->GetScreenRect());
}

CStats* GetStats()
{
    CGame* game = GetGame();
    return game ? game->GetStats() : nullptr;
}

CGame* GetGame()
{
    return dynamic_cast<CGame*>(g_application);
}

float GetGameClock()
{
    return s_gameClock;
}
