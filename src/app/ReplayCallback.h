#pragma once
// A replay function that is a plain function of the stream: the form every registration takes.
//
//     static void DrawThingFromStream(CReplayStream& stream) { ... }
//     static CReplayCallback s_drawThing(&DrawThingFromStream, "CThing::DrawFromStream", 3);
#include "app/ReplayFunction.h"

class CReplayCallback : public CReplayFunction
{
public:
    using Function = void (*)(CReplayStream& stream);

    CReplayCallback(Function function, const char* name, uint32_t flagMask);

    void Execute(CReplayStream& stream) override;

private:
    Function m_function;
};
