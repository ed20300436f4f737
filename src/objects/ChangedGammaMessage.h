#pragma once
// The message the video options hand to the application when the display brightness changes: the
// new brightness, or 0 after a change of colour mode. The application answers it by redrawing
// what depends on the brightness and sets the handled flag.
#include <cstdint>

class CChangedGammaMessage
{
public:
    explicit CChangedGammaMessage(uint32_t value) : m_type(GetMessageType()), m_value(value) {}

    // The id of this message type, interned under "CChangedGammaMessage" at start-up.
    static uint32_t GetMessageType();

    uint32_t m_type;
    uint8_t m_handled = 0;
    uint32_t m_value;
};
