#include "app/ApplicationBase.h"

#include "app/ForceFeedback.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/OwnFiles.h"
#include "app/TimedPictureScreen.h"
#include "app/WindowProc.h"
#include "blit/BlitTableSetUp.h"
#include "foundation/ConfigFile.h"
#include "foundation/FileSearchSpec.h"
#include "foundation/FileSystem.h"
#include "foundation/LocalizedString.h"
#include "foundation/LogSection.h"
#include "foundation/MathTables.h"
#include "foundation/OpenFlags.h"
#include "foundation/PerformanceCounter.h"
#include "foundation/VersionText.h"
#include "foundation/Win32Services.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "graphics/ScreenFrame.h"
#include "graphics/ScreenMode.h"
#include "objects/ClassRegistry.h"
#include "objects/DataNames.h"
#include "objects/ResourceRegistry.h"
#include "sound/MusicList.h"
#include "sound/MusicPlayer.h"
#include "sound/SoundList.h"
#include "sound/SoundOptions.h"
#include "sound/SoundSystem.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

CApplicationBase* g_application = nullptr;

namespace {

const char* const kOptions = "Options";

// Statistics: below 30 processed frames a second the box turns red, below 20 it blinks.
constexpr float kStatisticsWarnRate = 30.0f;
constexpr float kStatisticsAlarmRate = 20.0f;

int ReadOption(const char* key, int defaultValue)
{
    return ReadConfigInt(g_configFile.GetPath(), kOptions, key, defaultValue);
}

// "REMOVE": copies the removal programs out of the data into the temporary folder, starts them,
// and ends the program without starting the game.
[[noreturn]] void RunRemoval()
{
    CFileSystem::MountArchives("Data", false, false);
    char temp[256] = {};
    GetTempFolder(temp, sizeof temp);
    const std::string removeProgram = std::string(temp) + "\\RemoveSw.exe";
    const std::string deleteProgram = std::string(temp) + "\\DeleteMe.exe";
    if (CFileSystem::CopyFileWithProgress("RemoveSw.exe", 0, removeProgram.c_str(), VF_VERBATIM, nullptr)) {
        CFileSystem::CopyFileWithProgress(ownfiles::kRemovalNotes, 0, ownfiles::kRemovalNotes, VF_VERBATIM, nullptr);
        CFileSystem::CopyFileWithProgress("DeleteMe.exe", 0, deleteProgram.c_str(), VF_VERBATIM, nullptr);
        LaunchProgram(deleteProgram.c_str(), removeProgram.c_str(), kShowHidden, nullptr, nullptr);
    }
    std::exit(0);
}

bool AnyStartMovieExists(const char* const* movies)
{
    if (!movies)
        return false;
    for (; *movies; ++movies) {
        char name[300];
        std::snprintf(name, sizeof name, "Movies/%s.bik", *movies);
        if (CFileSystem::FileExists(name, 0))
            return true;
    }
    return false;
}

} // namespace

CApplicationBase::CApplicationBase(float minimumStep, float step, float maximumElapsed,
                                   CTimedPictureScreen* pictureScreen, const char* startSong,
                                   const char* const* startMovies)
    : m_minimumStep(minimumStep), m_step(step), m_maximumElapsed(maximumElapsed)
{
    CClassRegistry::GetInstance()->SortByName();

    if (std::strstr(GetCommandLine(), "REMOVE"))
        RunRemoval();

    g_application = this;
    CMusicVolumeHolder::Install(this);
    BeginLogSection("Game Startup");
    g_mouse.HideCursor();

    CSharedString product;
    GetProductName(product);
    ChooseConfigFile(product.CStr());

    m_display = CreateScreenFrame();
    CFileSystem::MountArchives("Data", false, false);
    // After the mount, which names the data folder its caches lie in.
    ownfiles::SweepTemporariesOfKilledWrites();

    if (HasCommandLineOption("/NoCompression"))
        SetFrameCompressionEnabled(false);

    if (!HasCommandLineOption("/SkipMovies") && AnyStartMovieExists(startMovies))
        SetUpScreenMode(16, 640, 480);
    else
        SetUpScreenMode(0, 0, 0);

    g_mouse.HideCursor();

    CFrameCollection& frames = CFrameCollection::GetInstance();
    frames.SetUpAtStartUp();
    if (pictureScreen) {
        // An 8-bit display needs the game palette before the logo is converted for it: Init sets
        // the palette up only afterwards, and against no palette every pixel would be index 0.
        if (m_display && m_display->GetBitsPerPixel() == 8)
            SetUpBlitTables(ownfiles::kPaletteFolder, "GamePalette", 8);
        // The list's items are frames; a name it lacks ends the program with the not-found report.
        pictureScreen->Show(static_cast<CFrame*>(frames.GetByName(dataname::picture::kCompanyLogo)), false, nullptr);
    }

    CSoundSystem::GetInstance()->Init();
    LoadSoundOptions();

    CFileSearchSpec music;
    music.SetFolder("Music/");
    music.AddExtension("wav");
    music.AddExtension("ogg");
    m_musicPlayer = new CMusicPlayer(&music);

    if (startSong && CMusicList::GetInstance().FindSong(startSong, -1) >= 0) {
        SetPendingSong(startSong);
        m_musicOn = true;
        UpdateMusicFade();
    }

    std::srand(34695);
    InitMathTables();
    CLocalizationTable::GetInstance().Load("Local.txt");

    m_measureRealTime = true;
    m_statisticsLine = 0;
    m_frameNumber = 0;
    m_drawCount = 0;
    m_showFrameRate = ReadOption("Show Frame Rate", 0) != 0;
    m_showOverlaysInEditor = ReadOption("Show Overlays In Editor", 1) != 0;

    EndLogSection();
}

CApplicationBase::~CApplicationBase()
{
    CFileSystem::UnmountArchives();
    delete m_screenWindow;
    m_screenWindow = nullptr;
    delete m_musicPlayer;
    m_musicPlayer = nullptr;
    delete m_display;
    m_display = nullptr;
    CResourceRegistry::GetInstance()->UnloadAll();
    CSoundSystem::GetInstance()->Shutdown();
    if (CMusicVolumeHolder::GetInstalled() == this)
        CMusicVolumeHolder::Install(nullptr);
    if (g_application == this)
        g_application = nullptr;
}

void CApplicationBase::Init(CTimedPictureScreen*)
{
    // The opacity tables always; the game palette and its 8-bit tables on a display that really
    // is 8-bit.
    SetUpBlitTables(ownfiles::kPaletteFolder, "GamePalette", m_display ? m_display->GetBitsPerPixel() : 0);
    CSoundList& sounds = CSoundList::GetInstance();
    sounds.LoadFolder("Sounds", "Sounds", ".wav", ".ogg");
    if (ReadOption("Pre-load all sounds", 0) != 0)
        sounds.LoadAllSounds();
    CForceFeedback::GetInstance();
}

float CApplicationBase::Tick()
{
    const uint64_t now = static_cast<uint64_t>(GetPerformanceCounter());
    float t;
    if (m_measureRealTime) {
        // The difference in 64 bits; the counter runs at a billion counts a second.
        const double elapsed = static_cast<double>(now - m_lastCounter) / static_cast<double>(GetPerformanceFrequency());
        t = static_cast<float>(elapsed + static_cast<double>(m_carry));
        if (t > m_maximumElapsed)
            t = m_maximumElapsed;
    } else {
        t = m_step;
    }
    m_lastCounter = now;

    if (t >= m_minimumStep) {
        for (;;) {
            if (t > m_step) {
                Update(m_step);
                m_simulatedTime += m_step;
                t -= m_step;
            } else {
                Update(t);
                m_simulatedTime += t;
                t = 0.0f;
            }
            if (m_framesPerDraw != 1 || t < m_minimumStep)
                break;
        }
        if (++m_tickCounter >= m_framesPerDraw) {
            m_tickCounter = 0;
            Draw();
        }
    }
    m_carry = t;
    return m_minimumStep - t;
}

void CApplicationBase::Update(float seconds)
{
    StartUpdateTiming();
    ++m_frameNumber;
    CSoundSystem::GetInstance()->NextFrame();
    UpdateMusicFade();
    if (HasDisplay())
        m_display->UpdateFade(seconds);
    if (m_screenWindow)
        m_screenWindow->UpdateWindows(seconds);
    m_lastUpdateRate = m_updateWatch.LapRate();
    CForceFeedback::GetInstance()->Update();
}

bool CApplicationBase::Draw()
{
    StartDrawTiming();
    ++m_drawCount;
    DrawStatistics();
    m_statisticsLine = 0;
    if (m_active && m_display)
        return m_display->Present();
    return false;
}

void CApplicationBase::DrawStatistics()
{
    CFont* font = m_statisticsFont;
    if (!font)
        return;
    const float processRate = m_processWatch.LapRate();
    const float drawRate = m_drawWatch.LapRate();
    const float frameRate = m_frameWatch.LapRate();
    if (!m_showFrameRate || frameRate == 0.0f)
        return;
    char text[128];
    std::snprintf(text, sizeof text, "U:%3.1f D:%3.1f P:%3.1f A:%3.1f FPS", static_cast<double>(m_lastUpdateRate),
                  static_cast<double>(drawRate), static_cast<double>(processRate), static_cast<double>(frameRate));
    int red = 0, green = 0, blue = 1;
    if (processRate < kStatisticsAlarmRate) {
        const bool yellow = (m_blinkCounter++ & 1) != 0;
        red = 255;
        green = yellow ? 255 : 0;
        blue = 0;
    } else if (processRate < kStatisticsWarnRate) {
        red = static_cast<int>((kStatisticsWarnRate - processRate) / (kStatisticsWarnRate - kStatisticsAlarmRate) * 255.0f);
        blue = 0;
    }

    // Centred on the display, one font height per line; the box as wide as the text set in "X"s.
    const int32_t height = font->GetHeight();
    const int32_t top = m_statisticsLine++ * height;
    if (!HasDisplay())
        return;
    const int32_t centre = m_display->GetWidth() / 2;
    const int32_t width = static_cast<int32_t>(std::strlen(text)) * font->GetCharWidth('X');
    const CIntRect box{centre - width / 2, top, centre - width / 2 + width, top + height};
    CColor color;
    color.ConstructRgba(static_cast<uint8_t>(red), static_cast<uint8_t>(green), static_cast<uint8_t>(blue), 255);
    if (m_display->Lock() != CScreenFrame::kLockDone)
        return;
    m_display->FillRect(box, color);
    font->DrawText(m_display, centre, top, text, kJustifyCentre, 'X');
    m_display->Unlock();
}

void CApplicationBase::UpdateMusic()
{
    UpdateMusicFade();
}

void CApplicationBase::ApplyMusicVolume()
{
    if (m_musicPlayer)
        m_musicPlayer->SetVolume(m_musicVolume);
    UpdateMusicFade();
}

bool CApplicationBase::OnActivate(bool active)
{
    if (active == m_activationState)
        return false;
    g_keyboard.ClearAll();
    CSoundSystem* sound = CSoundSystem::GetInstance();
    if (active) {
        sound->SaveSystemVolume();
        sound->ApplyVolume();
        g_mouse.UseDrawnCursor();
    } else {
        sound->RestoreSystemVolume();
        g_mouse.UseSystemCursor();
    }
    m_activationState = active;
    return true;
}

bool CApplicationBase::OnKey(int)
{
    return false;
}

void CApplicationBase::SetUpScreenWindow(CFrame* target, CResourceCollection*, CResourceCollection*,
                                         CFont* windowFont, CFont* statisticsFont)
{
    m_statisticsFont = statisticsFont ? statisticsFont : windowFont;
    if (target) {
        delete m_screenWindow;
        m_screenWindow = CreateScreenWindow(target, windowFont);
    }
}

bool CApplicationBase::HandleMessage(CBroadcastMessage*)
{
    return false;
}

void CApplicationBase::DrawScreenWindow()
{
    if (m_screenWindow)
        m_screenWindow->DrawWindows();
}

CScreenFrame* CApplicationBase::CreateScreenFrame()
{
    return new CScreenFrame;
}

CApplicationScreenWindow* CApplicationBase::CreateScreenWindow(CFrame*, CFont*)
{
    return nullptr;
}

int CApplicationBase::ShowModalWindow(CJWindow* window, bool centred)
{
    if (!m_screenWindow)
        return 0;
    return m_screenWindow->OpenTopLevelWindow(window, centred);
}

void CApplicationBase::ClearResourceUsageMarks()
{
    CResourceRegistry::GetInstance()->ClearAllUsageMarks();
}

CPlayerControls* CApplicationBase::GetPlayerControls(int)
{
    return nullptr;
}

bool CApplicationBase::HasDisplay() const
{
    return m_display != nullptr;
}

bool CApplicationBase::HasModalWindow() const
{
    return m_screenWindow && m_screenWindow->HasOpenModalWindow();
}

void CApplicationBase::SetShowFrameRate(bool show)
{
    m_showFrameRate = show;
    WriteConfigInt(g_configFile.GetPath(), kOptions, "Show Frame Rate", show ? 1 : 0);
}

void CApplicationBase::ResetFrameTimers()
{
    m_updateWatch.Reset();
    m_processWatch.Reset();
    m_drawWatch.Reset();
    m_frameWatch.Reset();
}

void CApplicationBase::StartUpdateTiming()
{
    if (m_updateStamp < m_frameNumber) {
        m_updateWatch.Start();
        m_updateStamp = m_frameNumber;
    }
    if (m_processStamp < m_frameNumber) {
        m_processWatch.Start();
        m_processStamp = m_frameNumber;
    }
}

void CApplicationBase::StartDrawTiming()
{
    if (m_drawStamp < m_frameNumber) {
        m_drawWatch.Start();
        m_drawStamp = m_frameNumber;
    }
}

void CApplicationBase::SetPendingSong(const char* name)
{
    std::snprintf(m_pendingSong, sizeof m_pendingSong, "%s", name ? name : "");
}

void CApplicationBase::UpdateMusicFade()
{
    if (CMusicPlayer* player = m_musicPlayer) {
        player->Update();
        const int volume = m_musicVolume;
        if (m_musicOn && volume > kSilentVolume) {
            if (!player->IsPlaying()) {
                player->SetVolume(volume);
                player->PlaySong(m_pendingSong[0] ? m_pendingSong : nullptr);
                m_pendingSong[0] = '\0';
                if (!player->IsPlaying())
                    m_musicVolume = kSilentVolume;
            } else if (m_pendingSong[0]) {
                player->PlaySong(m_pendingSong);
                m_pendingSong[0] = '\0';
            }
            if (player->GetVolume() != volume)
                player->SetVolume(volume);
        } else if (player->IsPlaying()) {
            player->Stop();
        }
    }
    PumpWindowMessages();
}
