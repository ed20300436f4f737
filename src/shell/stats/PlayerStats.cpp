#include "shell/stats/PlayerStats.h"

#include "objects/ArrayProperty.h"
#include "objects/EmbeddedObjectProperty.h"
#include "objects/ObjectPointerProperty.h"
#include "objects/SharedStringPropertyDescriptor.h"
#include "objects/UIntProperty.h"
#include "shell/stats/Stats.h"

IMPLEMENT_CLASS_RECORD(CPlayerStats, CObject, 1.0f)

void CPlayerStats::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CSharedStringPropertyDescriptor("Name", &CPlayerStats::m_name, 1, "New Player"));
    record->AddProperty(new CUIntProperty("Ship Style", &CPlayerStats::m_shipStyle, 1, 1));
    record->AddProperty(new CUIntProperty("Last Selected Difficulty", &CPlayerStats::m_lastDifficulty, 1, 1));
    record->AddProperty(new CUIntProperty("Last Selected Round Set", &CPlayerStats::m_lastRoundSet, 1, 0));
    record->AddProperty(new CUIntProperty("Last Selected Check Point", &CPlayerStats::m_lastCheckPoint, 1, 0));
    record->AddProperty(new CObjectPointerProperty("Suspended Game", &CPlayerStats::m_suspendedGame, 1,
                                                   CSuspendedGameStats::GetStaticClassRecord(), nullptr));
    record->AddProperty(new CEmbeddedObjectProperty("Career Totals", &CPlayerStats::m_careerTotals, 1));
    record->AddProperty(new CEmbeddedObjectProperty("Career Best", &CPlayerStats::m_careerBest, 1));
    // The statistics file's bounds: the archived games of every profile together, and the entries
    // of one profile's checkpoints.
    auto* games = new CArrayProperty(
        "All Games Played", &CPlayerStats::m_gameCount, &CPlayerStats::m_games, &CPlayerStats::m_gameCapacity, false,
        new CObjectPointerProperty("Game Stats", 0, sizeof(CGameStats*), 1, CGameStats::GetStaticClassRecord(),
                                   nullptr, nullptr),
        nullptr, 1);
    games->LimitItems(CArrayProperty::kNoItemLimit, CStats::kMaxArchivedGames);
    record->AddProperty(games);
    auto* checkPoints = new CArrayProperty("Check Points Reached", &CPlayerStats::m_checkPointCount,
                                           &CPlayerStats::m_checkPoints, &CPlayerStats::m_checkPointCapacity, false,
                                           new CUIntProperty("Num Check Points", nullptr, 0, 1, 0, nullptr, 0, 0),
                                           nullptr, 1);
    checkPoints->LimitItems(CStats::kMaxCheckPointEntries);
    record->AddProperty(checkPoints);
}

CPlayerStats::CPlayerStats()
{
    InitOwnProperties();
}

CPlayerStats::~CPlayerStats()
{
    DestroyOwnProperties();
}

const CArrayProperty& CPlayerStats::GamesProperty()
{
    static const auto* s_property =
        static_cast<const CArrayProperty*>(GetStaticClassRecord()->FindProperty("All Games Played"));
    return *s_property;
}

const CArrayProperty& CPlayerStats::CheckPointsProperty()
{
    static const auto* s_property =
        static_cast<const CArrayProperty*>(GetStaticClassRecord()->FindProperty("Check Points Reached"));
    return *s_property;
}

uint32_t CPlayerStats::CountHigherScores(uint32_t points, uint32_t difficulty) const
{
    uint32_t count = 0;
    for (uint32_t i = 0; i < m_gameCount; ++i) {
        const CGameStats* game = m_games[i];
        if (game && game->GetDifficulty() == difficulty && game->GetPointsScored() > points)
            ++count;
    }
    return count;
}

bool CPlayerStats::HasReachedCheckPoint(uint32_t set, uint32_t checkPoint) const
{
    return set < m_checkPointCount && m_checkPoints[set] > checkPoint;
}

void CPlayerStats::SetCheckPointReached(uint32_t set, uint32_t checkPoint)
{
    if (set >= kMaxRoundSets)
        return;
    if (m_checkPointCount < set + 1)
        CheckPointsProperty().Resize(this, set + 1);
    m_checkPoints[set] = checkPoint + 1;
}

void CPlayerStats::AppendGame(CGameStats* game)
{
    if (!game)
        return;
    uint32_t at = m_gameCount;
    GamesProperty().Resize(this, at + 1);
    m_games[at] = game;
}

void CPlayerStats::SetSuspendedGame(CSuspendedGameStats* game)
{
    if (game == m_suspendedGame)
        return;
    delete m_suspendedGame;
    m_suspendedGame = game;
}
