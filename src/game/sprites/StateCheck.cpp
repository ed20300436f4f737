#include "game/sprites/StateCheck.h"

#include "foundation/ByteOrder.h"
#include "foundation/VirtualFile.h"

#include <bit>

namespace {

CVirtualFile* s_stream = nullptr;
CStateCheck::Mode s_mode = CStateCheck::Mode::Write;
bool s_mismatch = false;

} // namespace

void CStateCheck::SetStream(CVirtualFile* stream, Mode mode)
{
    s_stream = stream;
    s_mode = mode;
}

CVirtualFile* CStateCheck::GetStream()
{
    return s_stream;
}

CStateCheck::Mode CStateCheck::GetMode()
{
    return s_mode;
}

void CStateCheck::SyncWord(uint32_t word)
{
    if (!s_stream)
        return;
    if (s_mode == Mode::Write) {
        s_stream->WriteU32(word);
        return;
    }
    uint8_t bytes[4];
    if (s_stream->Read(bytes, 4) != 4) {
        s_mismatch = true;
        return;
    }
    if (LoadU32Le(bytes) != word)
        s_mismatch = true;
}

void CStateCheck::SyncFloat(float value)
{
    SyncWord(std::bit_cast<uint32_t>(value));
}

bool CStateCheck::HasMismatch()
{
    return s_mismatch;
}

void CStateCheck::ClearMismatch()
{
    s_mismatch = false;
}
