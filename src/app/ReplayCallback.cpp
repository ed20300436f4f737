#include "app/ReplayCallback.h"

CReplayCallback::CReplayCallback(Function function, const char* name, uint32_t flagMask)
    : CReplayFunction(name, flagMask)
    , m_function(function)
{
}

void CReplayCallback::Execute(CReplayStream& stream)
{
    if (m_function)
        m_function(stream);
}
