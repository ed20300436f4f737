#include "online/InternetConnectionState.h"

namespace {

bool s_connected = false;
bool s_lost = false;
bool s_asked = false;

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

bool TakeFirstConnectionQuestion()
{
    const bool first = !s_asked;
    s_asked = true;
    return first;
}

void ResetInternetConnectionState()
{
    s_connected = false;
    s_lost = false;
    s_asked = false;
}
