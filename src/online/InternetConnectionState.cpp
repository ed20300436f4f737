#include "online/InternetConnectionState.h"

namespace {

bool s_connected = false;
bool s_lost = false;

} // namespace

bool IsInternetConnected()
{
    return s_connected;
}

bool IsInternetConnectionLost()
{
    return s_lost;
}

void SetInternetConnected()
{
    s_connected = true;
    s_lost = false;
}

void SetInternetConnectionLost()
{
    s_connected = false;
    s_lost = true;
}

void ClearInternetConnectionLost()
{
    s_lost = false;
}
