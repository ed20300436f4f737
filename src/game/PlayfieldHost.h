#pragma once
// What the playfield needs of the game that owns it: the game object (score area, round title,
// screen, main menu, mode, player controls, cheats, difficulty names, picture screens, timed
// message, music), the statistics (the current game's record, the current player's name and
// checkpoints, finished games and ranks, bricks destroyed) and the verdict dialog. The game
// implements it; tests give a recording one.
//
// The rule a caller must know: every operation has a harmless default, so the host of a field
// that belongs to no game (a bare CPlayfield) keeps no score and opens nothing.
#include <cstdint>

class CMusicMixerData;
class CPlayerControls;
class CTextSubstitutionList;

class CPlayfieldHost
{
public:
    virtual ~CPlayfieldHost() = default;

    // The game object.
    virtual void InvalidateScoreArea() {}
    virtual void InvalidateScreen() {}
    virtual void SetRoundTitle(const char* /*title*/) {}
    // Leaves the game for the main menu (nothing is recorded).
    virtual void GoToMainMenu() {}
    // Leaves the playing mode before a dialog opens over the ended game.
    virtual void ClearMode() {}
    // The first player's control set; null for none.
    virtual CPlayerControls* GetPlayerControls() { return nullptr; }
    // Whether a typed cheat word costs the game its score.
    virtual bool CheatsCount() const { return true; }
    // Whether the developer works on the data: only then do rounds write their layouts back.
    virtual bool IsDeveloperMode() const { return false; }
    // The name of a difficulty (0 Easy .. 3 Insane); "" for an unknown one.
    virtual const char* GetDifficultyName(uint32_t /*difficulty*/) const { return ""; }
    // The timed picture screen of the named picture and overlay text, with the substitutions,
    // waited for until it is done.
    virtual void ShowPictureScreen(const char* /*name*/, const CTextSubstitutionList& /*substitutions*/,
                                   float /*seconds*/)
    {
    }
    // The game's timed message at its default time and place.
    virtual void ShowTimedMessage(const char* /*text*/) {}
    // The music of the current background.
    virtual void SetMusic(const CMusicMixerData* /*music*/) {}
    // Starts a one-shot force-feedback effect on the device of the control set, or of the first
    // player's when null; nothing without a device.
    virtual void StartForceFeedback(const char* effect, const CPlayerControls* controls);
    // The ambient force-feedback request bits the game hands on every tick.
    virtual void SetForceEffectFlags(uint32_t /*bits*/) {}
    virtual void ClearForceEffectFlags(uint32_t /*bits*/) {}

    // The current game's record in the statistics.
    virtual void ResetCurrentGame() {}
    virtual uint32_t GetScore() const { return 0; }
    virtual void SetScore(uint32_t /*score*/) {}
    virtual uint32_t GetDifficulty() const { return 0; }
    virtual void SetDifficulty(uint32_t /*difficulty*/) {}
    virtual void SetStartRound(uint32_t /*round*/) {}
    virtual void SetLastRound(uint32_t /*round*/) {}
    // FILETIME values.
    virtual void SetStartTime(uint64_t /*time*/) {}
    virtual void SetEndTime(uint64_t /*time*/) {}
    virtual float GetGameTime() const { return 0.0f; }
    virtual void SetGameTime(float /*seconds*/) {}
    virtual bool IsCheated() const { return false; }
    virtual void SetCheated(bool /*cheated*/) {}
    virtual void CountBrickDestroyed() {}
    // The balls list ran empty during play (a life lost, or the last ball).
    virtual void CountBallLost() {}
    // The factor by which shown points are multiplied (the score itself stays).
    virtual int GetPointsDisplayFactor() const { return 1; }

    // The current player.
    virtual const char* GetPlayerName() const { return ""; }
    virtual uint32_t GetShipStyle() const { return 1; }
    virtual bool HasReachedCheckPoint(uint32_t /*set*/, uint32_t /*checkPoint*/) const { return false; }
    virtual void SetCheckPointReached(uint32_t /*set*/, uint32_t /*checkPoint*/) {}

    // The end of a game, in this order: the finished game folded into the totals, the ranks of a
    // score among all players' and the current player's archived games (1 for the best), the game
    // kept in the player's history, the whole saved in one write (a failure told to the player),
    // and the verdict shown in the statistics dialog.
    virtual void RecordFinishedGame() {}
    virtual uint32_t CountHigherScores(uint32_t /*score*/, uint32_t /*difficulty*/) const { return 0; }
    virtual uint32_t CountPersonalHigherScores(uint32_t /*score*/, uint32_t /*difficulty*/) const { return 0; }
    virtual void ArchiveCurrentGame() {}
    virtual void SaveFinishedGame() {}
    virtual void ShowVerdict(const char* /*text*/) {}

    // The game in progress kept for later: the current game's record with the lives becomes the
    // current player's one snapshot (replacing any earlier one) and the statistics are saved (a
    // failure told to the player).
    virtual void StoreSuspendedGame(uint32_t /*ballsLeft*/) {}
    // Copies the current player's snapshot into the current game's record and answers its round,
    // difficulty and lives; false (nothing changed) without one.
    virtual bool LoadSuspendedGame(uint32_t& /*round*/, uint32_t& /*difficulty*/, uint32_t& /*ballsLeft*/)
    {
        return false;
    }
    // Deletes the current player's snapshot and saves the statistics (a failure told to the player).
    virtual void DiscardSuspendedGame() {}
};
