#include "app/ReplayFunction.h"

CReplayFunction::CReplayFunction(const char* name, uint32_t flagMask)
    : m_name(name ? name : "")
    , m_flagMask(flagMask)
{
    GetRegistry().Add(this);
}

CReplayFunction::~CReplayFunction()
{
    GetRegistry().Remove(this);
}

CReplayFunctionTable& CReplayFunction::GetRegistry()
{
    static CReplayFunctionTable* s_registry = new CReplayFunctionTable;
    return *s_registry;
}
