#pragma once
// The game application object: the one application, with the game's step constants and start
// song, the owner of the player statistics (loaded by Init, saved when the game is destroyed), of
// the playfield and of the message display, and the playfield's host. The menus are not here yet:
// after the company logo it plays game after game on "Normal" on a plain page.
#include "app/ApplicationBase.h"
#include "game/PlayfieldHost.h"

#include <memory>

class CGameStats;
class CMessageDisplay;
class CPlayerControls;
class CPlayfield;
class CStandInField;
class CStats;
class CTimedMessage;
class CTimedPictureScreen;

class CGame : public CApplicationBase, public CPlayfieldHost
{
public:
    // The start-up picture screen is kept by the game and deleted with it.
    explicit CGame(CTimedPictureScreen* pictureScreen);
    ~CGame() override;

    void Init(CTimedPictureScreen* pictureScreen) override;
    void Update(float seconds) override;
    bool Draw() override;
    bool IsInMenu() const override { return false; }
    // Enter or Space skip the laying of bricks.
    bool OnKey(int key) override;
    // The first player's control set; null for the others.
    CPlayerControls* GetPlayerControls(int index) override;

    // Null before Init.
    CStats* GetStats() const { return m_stats; }
    // Neither IsPlaying nor IsInMenu: the game is between the two (after a game ended).
    bool IsPlaying() const { return m_playing; }
    // While set, the page shows no playfield behind the dialogs.
    void RequestBlankBackground(bool blank) { m_blankBackground = blank; }

    // The playfield's host (GameHost.cpp). The verdict opens the statistics dialog; its "Close",
    // like the main menu, starts the next game until the menus exist.
    void InvalidateScoreArea() override {}
    void InvalidateScreen() override {}
    void GoToMainMenu() override;
    void ClearMode() override;
    CPlayerControls* GetPlayerControls() override;
    const char* GetDifficultyName(uint32_t difficulty) const override;
    void ShowPictureScreen(const char* name, const CTextSubstitutionList& substitutions, float seconds) override;
    void ShowTimedMessage(const char* text) override;
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
    const char* GetPlayerName() const override;
    uint32_t GetShipStyle() const override;
    bool HasReachedCheckPoint(uint32_t set, uint32_t checkPoint) const override;
    void SetCheckPointReached(uint32_t set, uint32_t checkPoint) override;
    void RecordFinishedGame() override;
    uint32_t CountHigherScores(uint32_t score, uint32_t difficulty) const override;
    uint32_t CountPersonalHigherScores(uint32_t score, uint32_t difficulty) const override;
    void ArchiveCurrentGame() override;
    void ShowVerdict(const char* text) override;

private:
    // A new game on "Normal" from the first round.
    void StartGame();

    CTimedPictureScreen* m_pictureScreen;
    CStats* m_stats = nullptr;
    std::unique_ptr<CStandInField> m_standInField;
    std::unique_ptr<CMessageDisplay> m_messageDisplay;
    std::unique_ptr<CTimedMessage> m_timedMessage;
    std::unique_ptr<CPlayerControls> m_controls;
    std::unique_ptr<CPlayfield> m_playfield;
    // The playfield runs (the playing mode).
    bool m_playing = false;
    bool m_blankBackground = false;
    // The ended game's copy in the player's history, for the statistics dialog; null when the
    // game was not kept.
    const CGameStats* m_archivedGame = nullptr;
    // Steps until the next game starts after one ended; 0 when none is due.
    int m_restartDelay = 0;
};

// The game's statistics; null while no game object exists or before its Init.
CStats* GetStats();
