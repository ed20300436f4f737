#include "shell/stats/Stats.h"

#include "objects/ArrayProperty.h"
#include "objects/EmbeddedObjectProperty.h"
#include "objects/ObjectPointerProperty.h"
#include "objects/UIntProperty.h"

IMPLEMENT_CLASS_RECORD(CStats, CObject, 1.0f)

void CStats::AddProperties(CClassRecord* record)
{
    auto* players = new CArrayProperty(
        "Players", &CStats::m_playerCount, &CStats::m_players, &CStats::m_playerCapacity, false,
        new CObjectPointerProperty("Player", 0, sizeof(CPlayerStats*), 1, CPlayerStats::GetStaticClassRecord(), nullptr,
                                   nullptr),
        nullptr, 1);
    players->LimitItems(kMaxPlayers);
    record->AddProperty(players);
    record->AddProperty(new CUIntProperty("Current Player", &CStats::m_currentPlayer, 1, 0));
    record->AddProperty(new CUIntProperty("Program Launches Since Version Check", &CStats::m_launchesSinceVersionCheck,
                                          1, 3));
    record->AddProperty(new CEmbeddedObjectProperty("All Players Totals", &CStats::m_allTotals, 1));
    record->AddProperty(new CEmbeddedObjectProperty("All Players Best", &CStats::m_allBest, 1));
    record->AddProperty(new CEmbeddedObjectProperty("Current Game", &CStats::m_currentGame, 1));
}

CStats::CStats()
    : m_fileName(kFileName)
{
    InitOwnProperties();
}

CStats::~CStats()
{
    DestroyOwnProperties();
}

const CArrayProperty& CStats::PlayersProperty()
{
    static const auto* s_property = static_cast<const CArrayProperty*>(GetStaticClassRecord()->FindProperty("Players"));
    return *s_property;
}

void CStats::AddPlayer(CPlayerStats* player)
{
    if (!player)
        return;
    uint32_t at = m_playerCount == 0 ? 0 : m_playerCount - 1;
    PlayersProperty().Resize(this, m_playerCount + 1, static_cast<int>(at));
    m_players[at] = player;
    m_currentPlayer = at;
}

bool CStats::RemovePlayer(uint32_t i)
{
    if (i >= m_playerCount)
        return false;
    PlayersProperty().Resize(this, m_playerCount - 1, static_cast<int>(i));
    if (m_currentPlayer == i)
        m_currentPlayer = 0;
    else if (m_currentPlayer > i)
        --m_currentPlayer;
    return true;
}

void CStats::RecordFinishedGame()
{
    m_currentGame.SetGamesFinished(1);
    if (CPlayerStats* player = GetCurrentPlayer()) {
        player->GetCareerTotals().AddToTotals(m_currentGame);
        player->GetCareerBest().MergeBest(m_currentGame);
    }
    m_allTotals.AddToTotals(m_currentGame);
    m_allBest.MergeBest(m_currentGame);
}

CGameStats* CStats::ArchiveCurrentGame()
{
    CPlayerStats* player = GetCurrentPlayer();
    if (!player)
        return nullptr;
    auto* copy = static_cast<CGameStats*>(m_currentGame.Clone());
    player->AppendGame(copy);
    return copy;
}

uint32_t CStats::CountHigherScores(uint32_t points, uint32_t difficulty) const
{
    uint32_t count = 0;
    for (uint32_t i = 0; i < m_playerCount; ++i)
        if (const CPlayerStats* player = m_players[i])
            count += player->CountHigherScores(points, difficulty);
    return count;
}
