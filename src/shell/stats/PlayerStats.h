#pragma once
// One player profile: the name, the last choices of the new-game dialog, the ship style, the
// checkpoints reached per round set, career totals and bests, the archived games (the high-score
// material) and at most one suspended game. The profile owns its archived games and its suspended
// game and deletes them with itself.
//
// A profile made with new holds its defaults only after SetPropertiesToDefaults.
#include "foundation/SharedString.h"
#include "shell/stats/GameStats.h"
#include "shell/stats/SuspendedGameStats.h"

class CArrayProperty;

class CPlayerStats : public CObject
{
    DECLARE_CLASS_RECORD(CPlayerStats)

    CPlayerStats();
    ~CPlayerStats() override;

    // The archived games whose points are strictly greater than points at this difficulty.
    uint32_t CountHigherScores(uint32_t points, uint32_t difficulty) const;

    // Whether round set `set` holds a reached checkpoint beyond index `checkPoint`.
    bool HasReachedCheckPoint(uint32_t set, uint32_t checkPoint) const;
    // Grows the list with zeros to cover the set and stores checkPoint + 1 for it, whatever it held
    // (callers test HasReachedCheckPoint first). A set index of kMaxRoundSets or more stores nothing:
    // the statistics file holds no more entries (CStats::kMaxCheckPointEntries).
    void SetCheckPointReached(uint32_t set, uint32_t checkPoint);
    static constexpr uint32_t kMaxRoundSets = 256;
    uint32_t GetCheckPointSetCount() const { return m_checkPointCount; }
    // The number of checkpoints reached in the set; 0 past the list.
    uint32_t GetCheckPointsReached(uint32_t set) const { return set < m_checkPointCount ? m_checkPoints[set] : 0; }

    // The archived games in the order archived; null past the end.
    uint32_t GetGameCount() const { return m_gameCount; }
    CGameStats* GetGame(uint32_t i) const { return i < m_gameCount ? m_games[i] : nullptr; }
    // Takes the game over and appends it; null is ignored.
    void AppendGame(CGameStats* game);

    // The suspended game or null. Setting one (or null) deletes the one held before.
    CSuspendedGameStats* GetSuspendedGame() const { return m_suspendedGame; }
    void SetSuspendedGame(CSuspendedGameStats* game);

    CGameStats& GetCareerTotals() { return m_careerTotals; }
    const CGameStats& GetCareerTotals() const { return m_careerTotals; }
    CGameStats& GetCareerBest() { return m_careerBest; }
    const CGameStats& GetCareerBest() const { return m_careerBest; }

    const CSharedString& GetName() const { return m_name; }
    void SetName(const char* name) { m_name.AssignText(name); }
    uint32_t GetShipStyle() const { return m_shipStyle; }
    void SetShipStyle(uint32_t style) { m_shipStyle = style; }
    uint32_t GetLastDifficulty() const { return m_lastDifficulty; }
    void SetLastDifficulty(uint32_t difficulty) { m_lastDifficulty = difficulty; }
    uint32_t GetLastRoundSet() const { return m_lastRoundSet; }
    void SetLastRoundSet(uint32_t set) { m_lastRoundSet = set; }
    uint32_t GetLastCheckPoint() const { return m_lastCheckPoint; }
    void SetLastCheckPoint(uint32_t checkPoint) { m_lastCheckPoint = checkPoint; }

private:
    static const CArrayProperty& GamesProperty();
    static const CArrayProperty& CheckPointsProperty();

    CSharedString m_name;
    uint32_t m_lastDifficulty = 1;
    uint32_t m_lastRoundSet = 0;
    uint32_t m_lastCheckPoint = 0;
    CGameStats** m_games = nullptr;
    uint32_t m_gameCount = 0;
    uint32_t m_gameCapacity = 0;
    CGameStats m_careerTotals;
    CGameStats m_careerBest;
    CSuspendedGameStats* m_suspendedGame = nullptr;
    uint32_t m_shipStyle = 1;
    uint32_t* m_checkPoints = nullptr;
    uint32_t m_checkPointCount = 0;
    uint32_t m_checkPointCapacity = 0;
};
