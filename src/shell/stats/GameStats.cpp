#include "shell/stats/GameStats.h"

#include "objects/BoolProperty.h"
#include "objects/FloatProperty.h"
#include "objects/Int64Property.h"
#include "objects/UIntProperty.h"

#include <algorithm>

IMPLEMENT_CLASS_RECORD(CGameStats, CObject, 1.0f)

void CGameStats::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CUIntProperty("Starting Round Number", &CGameStats::m_startingRound, 1, 0));
    record->AddProperty(new CUIntProperty("Ending Round Number", &CGameStats::m_endingRound, 1, 0));
    record->AddProperty(new CUIntProperty("Bricks Destroyed", &CGameStats::m_bricksDestroyed, 1, 0));
    record->AddProperty(new CUIntProperty("Balls Lost", &CGameStats::m_ballsLost, 1, 0));
    record->AddProperty(new CUIntProperty("Points Scored", &CGameStats::m_pointsScored, 1, 0));
    record->AddProperty(new CFloatProperty("Seconds Played", &CGameStats::m_secondsPlayed, 1, 0.0f));
    record->AddProperty(new CInt64Property("Start Time", &CGameStats::m_startTime, 1, 0));
    record->AddProperty(new CInt64Property("End Time", &CGameStats::m_endTime, 1, 0));
    record->AddProperty(new CUIntProperty("Level Of Difficulty", &CGameStats::m_difficulty, 1, 0));
    record->AddProperty(new CBoolProperty("Used Cheat", &CGameStats::m_usedCheat, 1, false));
    record->AddProperty(new CUIntProperty("Games Finished", &CGameStats::m_gamesFinished, 1, 0));
}

CGameStats::CGameStats()
{
    InitOwnProperties();
}

CGameStats::~CGameStats()
{
    DestroyOwnProperties();
}

void CGameStats::MergeBest(const CGameStats& game)
{
    m_startingRound = 0;
    m_endingRound = std::max(m_endingRound, game.m_endingRound);
    m_bricksDestroyed = std::max(m_bricksDestroyed, game.m_bricksDestroyed);
    m_ballsLost = std::max(m_ballsLost, game.m_ballsLost);
    m_pointsScored = std::max(m_pointsScored, game.m_pointsScored);
    m_difficulty = std::max(m_difficulty, game.m_difficulty);
    m_secondsPlayed = std::max(m_secondsPlayed, game.m_secondsPlayed);
    m_usedCheat = m_usedCheat || game.m_usedCheat;
    m_gamesFinished += game.m_gamesFinished;
}

void CGameStats::AddToTotals(const CGameStats& game)
{
    m_startingRound = 0;
    m_endingRound = std::max(m_endingRound, game.m_endingRound);
    m_bricksDestroyed += game.m_bricksDestroyed;
    m_ballsLost += game.m_ballsLost;
    m_pointsScored += game.m_pointsScored;
    m_secondsPlayed += game.m_secondsPlayed;
    m_difficulty = 0;
    m_usedCheat = m_usedCheat || game.m_usedCheat;
    m_gamesFinished += game.m_gamesFinished;
}
