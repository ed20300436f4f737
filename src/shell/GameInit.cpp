// The game's start-up: everything the menus and play need is registered and loaded before the
// first frame, in a fixed order, while the start-up picture shows. A font, frame, sequence, skin or
// module the data lacks ends the program through its collection's not-found report.
#include "app/ForceFeedback.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/PlayerControls.h"
#include "app/TimedPictureScreen.h"
#include "blit/ColorPacking.h"
#include "game/Playfield.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/ship/MessageDisplay.h"
#include "game/ship/ParticleGeneratorCollection.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/Font.h"
#include "graphics/FontCollection.h"
#include "graphics/FrameCollection.h"
#include "graphics/FrameOverlayOptions.h"
#include "graphics/FrameOverlayOptionsCollection.h"
#include "graphics/ScreenFrame.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"
#include "objects/DataNames.h"
#include "online/ModuleInfoCollection.h"
#include "shell/AdvertisementRotator.h"
#include "shell/CommercialCollection.h"
#include "shell/CreatePlayerControls.h"
#include "shell/Game.h"
#include "shell/GameTypedWords.h"
#include "shell/MenuBalls.h"
#include "shell/StartUpResources.h"
#include "shell/StartUpSettings.h"
#include "shell/TimedMessage.h"
#include "shell/dialogs/ControlsDialog.h"
#include "shell/stats/Stats.h"
#include "sound/SoundList.h"
#include "ui/JWindow.h"
#include "ui/ScreenWindow.h"
#include "ui/SkinThemeList.h"

#include <memory>

namespace {

// The message display's rectangle beside the field.
constexpr int32_t kMessageLeft = 531;
constexpr int32_t kMessageTop = 35;
constexpr int32_t kMessageWidth = 88;
constexpr int32_t kMessageHeight = 93;
constexpr float kFadeInSeconds = 0.5f;
constexpr const char* kDefaultSkin = "Vantorel";

// The collections' not-found report ends the program for a name the data lacks.
CFont* RequireFont(const char* name)
{
    return dynamic_cast<CFont*>(CFontCollection::GetInstance().GetByName(name));
}

CSequence* RequireSequence(const char* name)
{
    return dynamic_cast<CSequence*>(CSequenceCollection::GetInstance().GetByName(name));
}

// Every look the game asks for by name, asked for now: a data set that lacks one ends here with
// the not-found report rather than in the middle of a round. A missing sound only plays nothing.
void RequireEveryLook()
{
    for (const dataname::SEntry& entry : dataname::GetAll())
        switch (entry.kind) {
        case dataname::EKind::Sequence:
            CSequenceCollection::GetInstance().GetByName(entry.name);
            break;
        case dataname::EKind::Picture:
            CFrameCollection::GetInstance().GetByName(entry.name);
            break;
        case dataname::EKind::Overlay:
            CFrameOverlayOptionsCollection::GetInstance().GetByName(entry.name);
            break;
        case dataname::EKind::Font:
            CFontCollection::GetInstance().GetByName(entry.name);
            break;
        case dataname::EKind::Generator:
            CParticleGeneratorCollection::GetInstance().GetByName(entry.name);
            break;
        case dataname::EKind::Sound:
        case dataname::EKind::ForceEffect:
            break;
        }
}

void LoadEveryItem(CResourceCollection& collection)
{
    for (uint32_t i = 0; i < collection.GetCount(); ++i)
        collection.GetItem(i);
}

// Player 1's device decides, through its setting (on by default); without a device it is off.
void SwitchForceFeedback(const CPlayerControls* first)
{
    CForceFeedback* feedback = CForceFeedback::GetInstance();
    if (!feedback)
        return;
    bool enable = false;
    if (feedback->HasDevice(first, CForceFeedback::kPlayerDevice))
        enable = ReadConfigBool(GetForceFeedbackKey(first ? first->GetControllerId() : -1).CStr(), true);
    feedback->SetEnabled(enable);
}

} // namespace

void CGame::SetUpScreenWindow(CFrame* target, CResourceCollection* listIcons, CResourceCollection* windowTextures,
                              CFont* windowFont, CFont* statisticsFont)
{
    CScreenWindow::SetDefaultFont(windowFont);
    CJWindow::SetSkinResources(listIcons, windowTextures);
    CApplicationBase::SetUpScreenWindow(target, listIcons, windowTextures, windowFont, statisticsFont);
}

CApplicationScreenWindow* CGame::CreateScreenWindow(CFrame* target, CFont* font)
{
    return new CScreenWindow(target, font);
}

CScreenWindow* CGame::GetScreenWindow() const
{
    // The game's CreateScreenWindow is the only maker of the base's screen window.
    return static_cast<CScreenWindow*>(m_screenWindow);
}

void CGame::Init(CTimedPictureScreen* pictureScreen)
{
    CApplicationBase::Init(pictureScreen);
    CScreenFrame* display = GetDisplay();
    const uint32_t depth = display ? display->GetBitsPerPixel() : 16;

    CFontCollection& fonts = CFontCollection::GetInstance();
    fonts.SetUpAtStartUp();
    fonts.LoadAll();
    CSoundList::GetInstance().LoadAllSounds();

    m_messageDisplay = std::make_unique<CMessageDisplay>(
        RequireFont(dataname::font::kSmallBlue), RequireFont(dataname::font::kDevuduvozo),
        RequireFont(dataname::font::kOcrNumbers), kMessageLeft, kMessageTop, kMessageWidth, kMessageHeight);
    SetMessageDisplay(m_messageDisplay.get());

    m_windowTextures = std::make_unique<CFrameCollection>();
    SetUpWindowTextures(*m_windowTextures, depth);
    CFrameOverlayOptionsCollection& overlays = CFrameOverlayOptionsCollection::GetInstance();
    overlays.SetUpAtStartUp();
    // Web forms have no reader yet; nothing asks for one.

    CCommercialCollection::GetInstance().Load();
    CModuleInfoCollection& modules = CModuleInfoCollection::GetInstance();
    modules.SetUpAtStartUp();
    modules.GetByName(CModuleInfoCollection::kGameModuleName);
    modules.StoreProgramVersion();
    // Sounds that came with the collections above; the loaded ones are skipped.
    CSoundList::GetInstance().LoadAllSounds();

    CFrameCollection& frames = CFrameCollection::GetInstance();
    if (pictureScreen)
        pictureScreen->Show(static_cast<CFrame*>(frames.GetByName(dataname::picture::kSplash)), true,
                            dynamic_cast<CFrameOverlayOptions*>(overlays.GetByName(dataname::overlay::kSplash)));

    RegisterTypedResourceGroups();
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    for (CResourceCollection* every :
         {static_cast<CResourceCollection*>(&CParticleGeneratorCollection::GetInstance()),
          static_cast<CResourceCollection*>(&CBrickInfoCollection::GetInstance()),
          static_cast<CResourceCollection*>(&overlays), static_cast<CResourceCollection*>(&frames),
          static_cast<CResourceCollection*>(&sequences)})
        LoadEveryItem(*every);
    RequireEveryLook();

    g_mouse.SetCursorSequence(RequireSequence(dataname::sequence::kMouseCursor));
    RegisterGameTypedWords();

    // Each start counts down to the reminder of the version check, never below zero.
    m_stats = new CStats;
    m_stats->Load();
    if (const uint32_t launches = m_stats->GetLaunchesSinceVersionCheck())
        m_stats->SetLaunchesSinceVersionCheck(launches - 1);

    // The menu balls' outline is as wide as the ball's first frame.
    const CSequence* ball = RequireSequence(dataname::sequence::kMenuBall);
    const CFrame* ballFrame = ball && ball->GetFrameCount() ? ball->GetFrame(0) : nullptr;
    GetMenuBalls().SetBallRadius(ballFrame ? static_cast<float>(ballFrame->GetWidth()) / 2.0f : 0.0f);

    // An 8-bit back buffer carries the palette its pixels index.
    if (depth == 8)
        m_backBuffer->SetPalette(*GetCurrentPaletteRef());
    RebuildBackBuffer();
    m_backBufferReady = true;

    SetUpScreenWindow(m_backBuffer.get(), &frames, m_windowTextures.get(), RequireFont(dataname::font::kOcrNumbers),
                      RequireFont(dataname::font::kSmallBlue));
    CJWindow::SetWindowStateFile(kWindowStateFile);
    for (int player = 0; player < kControlSetCount; ++player)
        m_controls[player].reset(CreatePlayerControls(player));
    SwitchForceFeedback(m_controls[0].get());
    WriteInstallPath();

    m_adRotator = std::make_unique<CAdvertisementRotator>(
        frames, [this](const CIntRect& area) { AddBackgroundRebuildRect(area); });
    m_timedMessage = std::make_unique<CTimedMessage>();
    m_timedMessage->SetFont(RequireFont(dataname::font::kBigWhite));
    m_timedMessage->SetArea(m_playfield->GetFieldRect());
    SetPlayfield(m_playfield.get());

    GetSkinThemeList().GetByName(kDefaultSkin);
    UseSkinTheme(kDefaultSkin, GetScreenWindow());

    // The start-up picture keeps its full time (a key or a click cuts it short) and fades out.
    if (pictureScreen)
        pictureScreen->Finish();
    if (display) {
        display->ClearAllPages();
        display->StartFadeIn(kFadeInSeconds);
    }
    g_keyboard.ClearAll();
}
