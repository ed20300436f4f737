#include "foundation/StartupStatusDisplay.h"

int CStartupStatusDisplay::ShowText(const char*, int, int)
{
    return 0;
}

CStartupStatusDisplay& GetStartupStatusDisplay()
{
    static CStartupStatusDisplay s_display;
    return s_display;
}
