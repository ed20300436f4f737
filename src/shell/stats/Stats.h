#pragma once
// The statistics of the installation, kept in the one file "Stats.dat": the player profiles with
// the current one, the record of the game being played, the totals and bests over all players,
// and the launch counter of the version check.
//
// The rule a caller relies on: after Load there is at least one profile and the current index
// lies inside the list. New profiles go in before the last one, so the guest profile that Load
// makes for an empty list stays last.
#include "app/OwnFiles.h"
#include "shell/stats/GameStats.h"
#include "shell/stats/PlayerStats.h"

#include <string>

class CArrayProperty;

class CStats : public CObject
{
    DECLARE_CLASS_RECORD(CStats)

    CStats();
    ~CStats() override;

    static constexpr const char* kFileName = ownfiles::kStatistics;
    // What a file the program cannot keep is set aside as: its name with this appended, then
    // with this and 2, 3, ... (a name never taken twice).
    static constexpr const char* kDamagedSuffix = ownfiles::kSetAsideSuffix;
    // A file larger than this is no statistics file: it is kept aside like a damaged one, unread.
    // The bound holds for the text a compressed file inflates to as well.
    static constexpr uint32_t kMaxFileBytes = 64u << 20;
    // The most a file can hold and still be read: profiles ("Players"), archived games of all the
    // profiles together ("All Games Played") and entries of one profile's "Check Points Reached"
    // (one per round set). Far beyond what play makes; they keep a hostile file from costing
    // memory and time without end. Save refuses statistics past them, as they could not be read.
    static constexpr uint32_t kMaxPlayers = 256;
    static constexpr uint32_t kMaxArchivedGames = 65536;
    static constexpr uint32_t kMaxCheckPointEntries = CPlayerStats::kMaxRoundSets;

    // Reads the file (named as given, beside the program by default: never a data-folder or archive
    // file), which later saves write. It holds one compressed block record or plain object text.
    // Never ends the program: a missing, unreadable or empty file gives the defaults, and so does a
    // damaged one, which is renamed aside. A file read only in part (lines it did not know were
    // skipped, or no profile in it) is copied aside by the first save, before that writes over it.
    // Then adds the guest when no profile is left and brings the current index into the list.
    // False when nothing was read.
    bool Load(const char* fileName = kFileName);
    // Reads the bytes of a whole statistics file as Load does, touching no file; false (defaults
    // and the guest then) when they are empty or damaged.
    bool LoadFromBytes(const void* bytes, uint32_t n);
    // Writes the file named by the last Load as one compressed block record, clearing its read-only
    // attribute first. The old file stays whole until the new one is written and flushed; false
    // when that failed (the statistics stay in memory), with the system's error in GetSaveError.
    // Statistics past a bound of the read (the counts above, or a text longer than kMaxFileBytes)
    // are refused with EFBIG, the file untouched: written, they would be lost at the next start.
    [[nodiscard]] bool Save();
    // The errno value of the last save that failed; 0 after one that succeeded.
    int GetSaveError() const { return m_saveError; }
    const CSharedString& GetFileName() const { return m_fileName; }

    uint32_t GetPlayerCount() const { return m_playerCount; }
    // Null past the end of the list.
    CPlayerStats* GetPlayer(uint32_t i) const { return i < m_playerCount ? m_players[i] : nullptr; }
    // Null when the current index lies outside the list.
    CPlayerStats* GetCurrentPlayer() const { return GetPlayer(m_currentPlayer); }
    uint32_t GetCurrentPlayerIndex() const { return m_currentPlayer; }
    // Stored as given.
    void SetCurrentPlayer(uint32_t i) { m_currentPlayer = i; }
    // Takes the profile over, inserts it before the last one (or as the first) and makes it current.
    // Null is ignored.
    void AddPlayer(CPlayerStats* player);
    // Deletes profile i with all it holds and closes the gap; the current index follows its
    // profile, or becomes 0 when that was the one removed. False, changing nothing, for an index
    // past the end.
    bool RemovePlayer(uint32_t i);

    CGameStats& GetCurrentGame() { return m_currentGame; }
    const CGameStats& GetCurrentGame() const { return m_currentGame; }
    void ResetCurrentGame() { m_currentGame.SetPropertiesToDefaults(); }
    // Marks the current game finished and folds it into the current player's career totals and
    // best (when there is a current player) and into the all-players totals and best. Saves
    // nothing: the game over archives the game first, then saves the whole once.
    void RecordFinishedGame();
    // Appends a copy of the current game to the current player's archived games and answers it;
    // null without a current player.
    CGameStats* ArchiveCurrentGame();
    // Over every profile: the archived games at this difficulty with strictly more points.
    uint32_t CountHigherScores(uint32_t points, uint32_t difficulty) const;

    const CGameStats& GetAllPlayersTotals() const { return m_allTotals; }
    const CGameStats& GetAllPlayersBest() const { return m_allBest; }
    uint32_t GetLaunchesSinceVersionCheck() const { return m_launchesSinceVersionCheck; }
    void SetLaunchesSinceVersionCheck(uint32_t launches) { m_launchesSinceVersionCheck = launches; }

private:
    static const CArrayProperty& PlayersProperty();
    // Reads the bytes into the defaults; false when they are empty or damaged. skipped tells
    // whether the reader went past lines it did not know.
    bool ReadFileImage(const void* bytes, uint32_t n, bool& skipped);
    // Whether what was read can be used: no empty profile or archived-game slot.
    bool HasNoMissingObjects() const;
    // Whether the counts lie within what the read accepts.
    bool IsWithinReadBounds() const;
    // The guest for an empty list; the current index into the list.
    void EnsureCurrentPlayer();

    CGameStats m_allTotals;
    CGameStats m_allBest;
    uint32_t m_launchesSinceVersionCheck = 3;
    CGameStats m_currentGame;
    CPlayerStats** m_players = nullptr;
    uint32_t m_playerCount = 0;
    uint32_t m_playerCapacity = 0;
    uint32_t m_currentPlayer = 0;
    // Not properties: where Load read and Save writes; the bytes of a file read only in part,
    // which the next save copies aside before writing over them; the last save's error.
    CSharedString m_fileName;
    std::string m_keepBeforeSave;
    int m_saveError = 0;
};
