#include "shell/stats/SuspendedGameStats.h"

#include "objects/UIntProperty.h"

IMPLEMENT_CLASS_RECORD(CSuspendedGameStats, CGameStats, 1.0f)

void CSuspendedGameStats::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CUIntProperty("Balls Left", &CSuspendedGameStats::m_ballsLeft, 1, 0));
}

CSuspendedGameStats::CSuspendedGameStats()
{
    InitOwnProperties();
}

CSuspendedGameStats::~CSuspendedGameStats()
{
    DestroyOwnProperties();
}
