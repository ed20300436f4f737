#pragma once
// The message the video options hand to the application when the display brightness changes: the
// new brightness (1.0 to 2.0), or 0 after a change of colour mode. The application answers it by
// redrawing what depends on the brightness and sets the handled flag.
#include "objects/BroadcastMessage.h"

#include <cstdint>

class CChangedGammaMessage : public CBroadcastMessage
{
public:
    explicit CChangedGammaMessage(float brightness) : CBroadcastMessage(GetMessageType()), m_brightness(brightness) {}

    // The id of this message type, interned under "CChangedGammaMessage" at start-up.
    static uint32_t GetMessageType();

    // The brightness itself: a whole-number field would keep only 1 or 2 of the slider's range.
    float m_brightness;
};
