#include "app/ForceFeedback.h"

CForceFeedback* CForceFeedback::GetInstance()
{
    static CForceFeedback* s_instance = new CForceFeedback;
    return s_instance;
}
