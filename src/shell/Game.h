#pragma once
// The game application object: the one application, with the game's step constants and start
// song. It owns the playfield, the back buffer and the background frame that restores it, the
// message display, the three player control sets, the statistics (loaded by Init, saved when the
// game is destroyed; a failed save is told to the player), the music mixer and the timed message;
// it keeps the game mode (playing, main menu, neither), moves between the modes, runs one update
// step and one draw per tick and rebuilds the static background only where it was invalidated.
//
// The rule a caller must know: exactly one exists (reached through g_application); the mode
// changes only through GoToMainMenu, ClearMode, StartNewGame, ResumeGame and StartDemo.
#include "app/ApplicationBase.h"
#include "foundation/SharedString.h"
#include "game/PlayfieldHost.h"
#include "graphics/IntRect.h"
#include "shell/SaveFailureNotices.h"
#include "shell/ScoreBoardText.h"

#include <memory>

class CAdvertisementRotator;
class CDirtyRectFrame;
class CFrame;
class CFrameCollection;
class CFrameInterface;
class CGameStats;
class CLocalizedString;
class CMessageDisplay;
class CMusicMixer;
class CPlayerControls;
class CPlayfield;
class CScreenWindow;
class CCommercial;
class CStats;
class CTimedMessage;
class CTimedPictureScreen;

class CGame : public CApplicationBase, public CPlayfieldHost
{
public:
    static constexpr int kModePlaying = 0;
    static constexpr int kModeMainMenu = 1;
    static constexpr int kModeNone = 2;
    static constexpr int kControlSetCount = 3;
    // Force-feedback request bits.
    static constexpr uint32_t kForcePlayfield = 1;

    // The start-up picture screen is kept by the game and deleted with it.
    explicit CGame(CTimedPictureScreen* pictureScreen);
    ~CGame() override;

    void Init(CTimedPictureScreen* pictureScreen) override;
    void Update(float seconds) override;
    bool Draw() override;
    void RebuildBackBuffer() override;
    bool OnActivate(bool active) override;
    // Enter or Space skip the laying of bricks, any key ends a demo; F5 cycles the background
    // detail, F10 takes a screenshot, Escape pauses and "~" resets the frame statistics.
    bool OnKey(int key) override;
    // A game in progress is suspended as the pause menu's "Suspend Game" does, so that "Play Game"
    // offers to resume it (not a demo, nor a game already over, nor the developer's recording).
    void OnClosing() override;
    // A gamma change redraws the whole background; other messages are not handled.
    bool HandleMessage(CBroadcastMessage* message) override;
    bool IsInMenu() const override { return m_mode == kModeMainMenu; }
    void AddRedrawArea(CJWindow* window) override;
    // Sets the window toolkit up (the default font, the list icons and window textures), then the
    // base makes the screen window through CreateScreenWindow.
    void SetUpScreenWindow(CFrame* target, CResourceCollection* listIcons, CResourceCollection* windowTextures,
                           CFont* windowFont, CFont* statisticsFont) override;
    CApplicationScreenWindow* CreateScreenWindow(CFrame* target, CFont* font) override;
    // The screen window the start-up made; null before.
    CScreenWindow* GetScreenWindow() const;
    // Players 1 to 3 (index 0..2); null for any other index or before Init.
    CPlayerControls* GetPlayerControls(int index) override;

    bool IsPlaying() const { return m_mode == kModePlaying; }
    int GetMode() const { return m_mode; }
    // Null before Init.
    CStats* GetStats() const { return m_stats; }
    // Saves the statistics (none before Init) and tells how it went to this game's notices: a
    // failure to the player with the sentence naming what was not kept (CSaveFailureNotices).
    void SaveStats(const CLocalizedString& whatIsLost);
    const CSaveFailureNotices& GetSaveFailureNotices() const { return m_saveNotices; }
    CPlayfield* GetPlayfield() const { return m_playfield.get(); }
    CMessageDisplay* GetMessageDisplay() const { return m_messageDisplay.get(); }
    CTimedMessage* GetTimedMessage() const { return m_timedMessage.get(); }
    CMusicMixer* GetMusicMixer() const { return m_musicMixer.get(); }
    CDirtyRectFrame* GetBackBuffer() const { return m_backBuffer.get(); }
    // Real seconds the last drawn frame took to compose the back buffer and to present it (its
    // changed cells onto the display and the display's present); for the game's benchmark.
    struct FrameTimes
    {
        double compose = 0.0;
        double present = 0.0;
    };
    const FrameTimes& GetLastFrameTimes() const { return m_frameTimes; }
    // What the back buffer restores from: the menu's or the round's picture.
    CFrame* GetBackground() const { return m_background.get(); }
    // The windows' textures, converted for the display; null before Init.
    CFrameCollection* GetWindowTextures() const { return m_windowTextures.get(); }

    // Mode changes. StartNewGame and ResumeGame are for the menu; StartDemo for the menu or play
    // (a null commercial starts nothing).
    void StartNewGame(uint32_t difficulty, uint32_t round);
    void ResumeGame();
    void StartDemo(CCommercial* commercial);
    // The main menu's toy (GameMenuBalls.cpp): reset with every return to the menu, then moved and
    // drawn every step while the menu shows.
    void ResetMenuBalls();
    void UpdateMenuBalls(float seconds);
    void DrawMenuBalls(CFrameInterface* target);
    void OnDemoFinished();
    CCommercial* GetCurrentCommercial() const { return m_commercial; }
    // Set until the first demo is asked for: the game is the process's one application, so this
    // is the process's first time.
    bool& FirstDemoFlag() { return m_firstDemo; }

    // The area of the background frame still to rebuild; all zeros when none.
    const CIntRect& GetPendingBackground() const { return m_pendingBackground; }
    // Unites the rectangle with the pending one (an all-zero pending rectangle is replaced).
    void AddBackgroundRebuildRect(const CIntRect& rect);
    void RequestBlankBackground(bool blank);
    int GetBackgroundDetailLevel() const { return m_backgroundDetailLevel; }
    // Stores the level in the settings and rebuilds the playfield's background.
    void SetBackgroundDetailLevel(int level);
    // 2, 1, 0, 2, ...
    void CycleBackgroundDetailLevel();
    void SetForceEffectFlags(uint32_t bits) override { m_forceBits |= bits; }
    void ClearForceEffectFlags(uint32_t bits) override { m_forceBits &= ~bits; }
    uint32_t GetForceEffectFlags() const { return m_forceBits; }
    // The effects the last update asked for: the flags with "Playfield" while playing without a
    // modal window, else none.
    uint32_t GetRequestedForceEffects() const { return m_requestedForce; }
    // Invalidates the whole screen and has an open main menu rebuild itself.
    void RefreshMainMenu();
    // The mix level play asks for (0 full, 1 medium, 2 ambient); -1 while a demo plays back.
    int ChooseMixLevel() const;

    // The playfield's host (GameHost.cpp).
    void InvalidateScoreArea() override;
    bool CheatsCount() const override { return IsPlaying(); }
    void InvalidateScreen() override;
    void SetRoundTitle(const char* title) override;
    void GoToMainMenu() override;
    void ClearMode() override;
    CPlayerControls* GetPlayerControls() override;
    const char* GetDifficultyName(uint32_t difficulty) const override;
    void ShowPictureScreen(const char* name, const CTextSubstitutionList& substitutions, float seconds) override;
    void ShowTimedMessage(const char* text) override;
    void SetMusic(const CMusicMixerData* music) override;
    void ResetCurrentGame() override;
    uint32_t GetScore() const override;
    void SetScore(uint32_t score) override;
    uint32_t GetDifficulty() const override;
    void SetDifficulty(uint32_t difficulty) override;
    void SetStartRound(uint32_t round) override;
    void SetLastRound(uint32_t round) override;
    void SetStartTime(uint64_t time) override;
    void SetEndTime(uint64_t time) override;
    float GetGameTime() const override;
    void SetGameTime(float seconds) override;
    bool IsCheated() const override;
    void SetCheated(bool cheated) override;
    void CountBrickDestroyed() override;
    void CountBallLost() override;
    int GetPointsDisplayFactor() const override;
    const char* GetPlayerName() const override;
    uint32_t GetShipStyle() const override;
    bool HasReachedCheckPoint(uint32_t set, uint32_t checkPoint) const override;
    void SetCheckPointReached(uint32_t set, uint32_t checkPoint) override;
    void RecordFinishedGame() override;
    uint32_t CountHigherScores(uint32_t score, uint32_t difficulty) const override;
    uint32_t CountPersonalHigherScores(uint32_t score, uint32_t difficulty) const override;
    void ArchiveCurrentGame() override;
    void SaveFinishedGame() override;
    void ShowVerdict(const char* text) override;
    void StoreSuspendedGame(uint32_t ballsLeft) override;
    bool LoadSuspendedGame(uint32_t& round, uint32_t& difficulty, uint32_t& ballsLeft) override;
    void DiscardSuspendedGame() override;

    // The score board (ScoreBoard.cpp): the panel, its labels, the lives and the fields (score,
    // speed, time) into the background, while a demo plays the panel and labels only; the
    // scrolling round title and the messages every frame.
    void DrawScoreBoardFrame(CFrameInterface* target);
    void DrawScoreBoard(CFrameInterface* target);
    // Before the background is rebuilt in a frame of play: a field whose text changed is drawn
    // again (its row of the panel is rebuilt); the others stay as the background holds them.
    void UpdateScoreBoardFields();
    // The field rows of the panel: score, speed (with the average), time.
    static constexpr int kScoreBoardFieldCount = 3;
    CIntRect GetScoreBoardFieldRect(int field) const;
    const CSharedString& GetRoundTitle() const { return m_roundTitle; }
    const CRoundTitleScroll& GetRoundTitleScroll() const { return m_titleScroll; }
    // Null before Init.
    CAdvertisementRotator* GetAdvertisementRotator() const { return m_adRotator.get(); }

private:
    // Reaches the notices of the game that runs.
    friend void TellStatsSaveOutcome(const CStats& stats, bool saved, const CLocalizedString& whatIsLost);

    void UpdatePlay(float seconds);
    // While a modal window is open, the first player's fire presses its default button.
    void FeedMenuNavigation(bool modal);
    // "Timeout.wav" and the pause menu.
    void OnTimeout();
    void RebuildBackground();
    void DrawMenuBackground(CFrameInterface* target);
    // The log section and the invalidation that start and resume share.
    void EnterPlay(bool resume, uint32_t difficulty, uint32_t round);
    // The last save, as the game goes: its failure (and any notice not shown yet) is told through
    // the system's message box, no window of the game being left to show it.
    void SaveStatsAtClose();

    CTimedPictureScreen* m_pictureScreen;
    std::unique_ptr<CDirtyRectFrame> m_backBuffer;
    int m_backgroundDetailLevel = 2;
    std::unique_ptr<CFrame> m_background;
    CIntRect m_pendingBackground{0, 0, 0, 0};
    std::unique_ptr<CPlayfield> m_playfield;
    std::unique_ptr<CMessageDisplay> m_messageDisplay;
    std::unique_ptr<CPlayerControls> m_controls[kControlSetCount];
    int m_mode = kModeNone;
    bool m_blankBackground = false;
    CStats* m_stats = nullptr;
    CSaveFailureNotices m_saveNotices;
    // The ended game's copy in the player's history, for the statistics dialog; null when the
    // game was not kept.
    const CGameStats* m_archivedGame = nullptr;
    std::unique_ptr<CMusicMixer> m_musicMixer;
    std::unique_ptr<CTimedMessage> m_timedMessage;
    CCommercial* m_commercial = nullptr;
    bool m_firstDemo = true;
    CSharedString m_roundTitle;
    CRoundTitleScroll m_titleScroll;
    // The texts of the fields as the background holds them (the speed row: speed, then average).
    CSharedString m_shownFields[kScoreBoardFieldCount][2];
    // A field too wide for the panel reaches over the field of play: it is drawn every frame,
    // over the play, as the other live parts are.
    bool m_liveFields[kScoreBoardFieldCount] = {};
    void DrawScoreBoardFields(CFrameInterface* target, bool live);
    std::unique_ptr<CAdvertisementRotator> m_adRotator;
    uint32_t m_forceBits = 0;
    uint32_t m_requestedForce = 0;
    std::unique_ptr<CFrameCollection> m_windowTextures;
    // Whether the fully faded-in screen was drawn once.
    bool m_drewFadedIn = false;
    bool m_backBufferReady = false;
    // Whether the back buffer restores from the background frame (else from black).
    bool m_backBufferHasFrame = true;
    // Update steps run, for the developer's script.
    uint32_t m_updateSteps = 0;
    FrameTimes m_frameTimes;
};

// The game's statistics; null while no game object exists or before its Init.
CStats* GetStats();
// Tells how a save of the statistics went; every save of them outside the game object reports
// here, whichever way it went. A failure is told to the player with whatIsLost, the sentence
// naming what was not kept: through the game object's notices, or without one through the
// system's message box at once. A success ends the run of failures of the file in the game
// object's notices, so that its next failure is told again.
void TellStatsSaveOutcome(const CStats& stats, bool saved, const CLocalizedString& whatIsLost);
// Called once, after the first presented frame that shows the main menu; null for none.
void SetFirstMainMenuDrawHandler(void (*handler)());
// The one game object; null while none exists.
CGame* GetGame();
// The seconds every update step has added since the start.
float GetGameClock();
// "Background Detail Level" when the settings hold none: 2 on every 64-bit processor, else 1 for
// processor classes 1 to 3 and 2 for the others.
int GetDefaultBackgroundDetailLevel(bool sixtyFourBit, int cpuClass);
// The background detail level after the level: 2 after 0, else one less.
int NextBackgroundDetailLevel(int level);
// The mix level for the shown ball speed (last ball speed x 25/102, truncated), a modal window,
// a ship carrying guns and the balls in play: 0 full, 1 medium, 2 ambient.
int ChooseMixLevelFor(float lastBallSpeed, bool modal, bool guns, int ballsInPlay);
