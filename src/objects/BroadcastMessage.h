#pragma once
// A message handed along to whoever may answer it (themes, parts, the application): a type id
// interned by name through GetGlobalNameIndex, and a flag the receiver sets when it handled it.
//
// The rule a caller must know: receivers recognise a message by its type id only; a message type
// that carries data derives from this class.
#include <cstdint>

class CBroadcastMessage
{
public:
    explicit CBroadcastMessage(uint32_t type) : m_type(type) {}
    virtual ~CBroadcastMessage() = default;

    uint32_t m_type;
    uint8_t m_handled = 0;
};
