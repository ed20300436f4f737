#include "objects/ChangedGammaMessage.h"

#include "objects/GlobalNameIndex.h"

namespace {

// Interned before main, so that the id is the same whoever asks first.
const uint32_t s_registeredType = CChangedGammaMessage::GetMessageType();

} // namespace

uint32_t CChangedGammaMessage::GetMessageType()
{
    static const uint32_t s_type = static_cast<uint32_t>(GetGlobalNameIndex("CChangedGammaMessage"));
    return s_type;
}
