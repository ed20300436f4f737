#pragma once
// The application object that the main loop drives. Its constructor is the engine's start-up
// sequence; Tick runs the fixed-step updates and the draw; the base Update and Draw service sound,
// music, the screen fade, the top-level window and the frame statistics. Exactly one exists: the
// game derives from it, overrides its operations and calls the base versions from its own.
#include "app/ApplicationScreenWindow.h"
#include "app/Stopwatch.h"
#include "sound/MusicVolume.h"

#include <cstdint>

class CBroadcastMessage;
class CFont;
class CFrame;
class CJWindow;
class CMusicPlayer;
class CPlayerControls;
class CResourceCollection;
class CScreenFrame;
class CTimedPictureScreen;

class CApplicationBase : public CMusicVolumeHolder
{
public:
    static constexpr int kSilentVolume = -3333;
    static constexpr int kPendingSongSize = 255;

    // minimumStep, step and maximumElapsed in seconds (the game: 1/60, 1/60, 1/12); the start-up
    // picture screen or null; the start song or null; a null-terminated list of start movies or
    // null.
    CApplicationBase(float minimumStep, float step, float maximumElapsed, CTimedPictureScreen* pictureScreen,
                     const char* startSong, const char* const* startMovies);
    virtual ~CApplicationBase();
    CApplicationBase(const CApplicationBase&) = delete;
    CApplicationBase& operator=(const CApplicationBase&) = delete;

    // Loads the palette, fills the sound list, starts force feedback. The derived application loads
    // its data first, then calls this. The argument is not used.
    virtual void Init(CTimedPictureScreen* pictureScreen);
    virtual void Update(float seconds);
    // Presents the page when active; the result says whether a page was presented.
    virtual bool Draw();
    virtual void UpdateMusic();
    virtual void ApplyMusicVolume();
    // Called when the display's pages were lost; the derived application rebuilds its back buffer.
    virtual void RebuildBackBuffer() {}
    // Returns whether the state changed.
    virtual bool OnActivate(bool active);
    // Returns whether the key was handled.
    virtual bool OnKey(int key);
    // The window is closing (the player closed it, or the process was asked to stop) and the
    // application is about to go: whatever the player would lose is kept now. The base keeps nothing.
    virtual void OnClosing() {}
    // Keeps the statistics font (the window font where there is none) and, given a target, makes the
    // screen window on it. The game sets the window toolkit up with the other arguments first.
    virtual void SetUpScreenWindow(CFrame* target, CResourceCollection* listIcons, CResourceCollection* windowTextures,
                                   CFont* windowFont, CFont* statisticsFont);
    // A message for the application (a brightness change); answers whether it was handled.
    virtual bool HandleMessage(CBroadcastMessage* message);
    virtual void DrawScreenWindow();
    virtual CScreenFrame* CreateScreenFrame();
    // The screen window on the target; the base has no window toolkit, so none.
    virtual CApplicationScreenWindow* CreateScreenWindow(CFrame* target, CFont* font);
    // Opens the window on the screen window, centred or at the default place.
    virtual int ShowModalWindow(CJWindow* window, bool centred);
    virtual bool IsInMenu() const = 0;
    // The derived application adds the window's rectangle to the area to redraw.
    virtual void AddRedrawArea(CJWindow* window) { (void)window; }
    virtual void ClearResourceUsageMarks();
    virtual void IncrementLockCount() { ++m_lockCount; }
    virtual void DecrementLockCount() { --m_lockCount; }
    virtual bool IsLocked() const { return m_lockCount > 0; }
    // One of the player control sets; the base has none.
    virtual CPlayerControls* GetPlayerControls(int index);

    // The fixed-step tick; returns the seconds left until the next step is due.
    float Tick();

    // The most derived constructor has returned. Until then a close must not delete the
    // application: its constructors may pump window messages (music fade, picture screen).
    void MarkConstructed() { m_constructed = true; }
    bool IsConstructed() const { return m_constructed; }

    bool RunsWhenInactive() const { return m_runsWhenInactive; }
    void SetRunsWhenInactive(bool runs) { m_runsWhenInactive = runs; }
    void SetActive(bool active) { m_active = active; }
    bool IsActive() const { return m_active; }
    bool GetActivationState() const { return m_activationState; }

    CScreenFrame* GetDisplay() const { return m_display; }
    // Whether the application has a display page to draw on and present.
    bool HasDisplay() const;
    bool HasModalWindow() const;

    bool GetShowFrameRate() const { return m_showFrameRate; }
    // Sets the flag and stores it in the settings.
    void SetShowFrameRate(bool show);
    bool GetShowOverlaysInEditor() const { return m_showOverlaysInEditor; }

    void ResetFrameTimers();
    void StartUpdateTiming();
    void StartDrawTiming();
    void UpdateMusicFade();

    bool GetMeasureRealTime() const { return m_measureRealTime; }
    void SetMeasureRealTime(bool measure) { m_measureRealTime = measure; }
    unsigned GetFramesPerDraw() const { return m_framesPerDraw; }
    void SetFramesPerDraw(unsigned frames) { m_framesPerDraw = frames ? frames : 1; }
    unsigned GetFrameNumber() const { return m_frameNumber; }
    unsigned GetDrawCount() const { return m_drawCount; }
    void IncrementDrawCount() { ++m_drawCount; }
    double GetSimulatedTime() const { return m_simulatedTime; }
    float GetCarry() const { return m_carry; }
    float GetLastUpdateRate() const { return m_lastUpdateRate; }

    int GetMusicVolume() const override { return m_musicVolume; }
    void SetMusicVolume(int volume) override { m_musicVolume = volume; }
    bool IsMusicOn() const { return m_musicOn; }
    const char* GetPendingSong() const { return m_pendingSong; }
    // Sets the song to start at the next music update (cut to the buffer's size).
    void SetPendingSong(const char* name);
    CMusicPlayer* GetMusicPlayer() const { return m_musicPlayer; }

    static int GetDefaultScreenWidth() { return 640; }
    static int GetDefaultScreenHeight() { return 480; }
    static int GetDefaultScreenDepth() { return 16; }

protected:
    void DrawStatistics();

    CScreenFrame* m_display = nullptr;
    bool m_showFrameRate = false;
    bool m_showOverlaysInEditor = true;
    bool m_measureRealTime = true;
    unsigned m_framesPerDraw = 1;
    int m_statisticsLine = 0;
    bool m_runsWhenInactive = false;
    bool m_constructed = false;
    bool m_active = true;
    int m_lockCount = 0;
    CFont* m_statisticsFont = nullptr;
    CApplicationScreenWindow* m_screenWindow = nullptr;
    unsigned m_frameNumber = 0;
    unsigned m_drawCount = 0;
    double m_simulatedTime = 0.0;
    uint64_t m_lastCounter = 0;
    float m_carry = 0.0f;
    float m_minimumStep;
    float m_step;
    float m_maximumElapsed;
    bool m_activationState = true;
    int m_musicVolume = 0;
    char m_pendingSong[kPendingSongSize + 1] = {};
    bool m_musicOn = false;
    CMusicPlayer* m_musicPlayer = nullptr;

    // Frame statistics. One application exists, so these belong to it.
    unsigned m_tickCounter = 0;
    CStopwatch m_updateWatch;
    CStopwatch m_processWatch;
    CStopwatch m_drawWatch;
    CStopwatch m_frameWatch;
    float m_lastUpdateRate = 0.0f;
    unsigned m_updateStamp = 0;
    unsigned m_processStamp = 0;
    unsigned m_drawStamp = 0;
    unsigned m_blinkCounter = 0;
};

// The one application; null before the game creates it and after the shut-down.
extern CApplicationBase* g_application;
