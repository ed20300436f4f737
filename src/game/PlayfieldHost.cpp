#include "game/PlayfieldHost.h"

#include "app/ForceFeedback.h"

void CPlayfieldHost::StartForceFeedback(const char* effect, const CPlayerControls* controls)
{
    if (CForceFeedback* feedback = CForceFeedback::GetInstance())
        feedback->StartEffect(effect, controls ? controls : GetPlayerControls(), CForceFeedback::kPlayerDevice);
}
