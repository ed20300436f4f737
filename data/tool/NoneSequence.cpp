#include "NoneSequence.h"

#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "graphics/Sequence.h"
#include "objects/ObjectTextStream.h"

#include <cstdlib>

bool AddNoneSequence(CContentSet& set, std::string& error)
{
    // The sequence's properties as the engine writes them: the defaults.
    CSequence sequence;
    sequence.SetPropertiesToDefaults();
    CObjectTextStream text;
    text.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    sequence.WriteToTextStream(text);
    const uint32_t size = text.GetSize();
    uint8_t* bytes = text.DetachBuffer();
    const CContentSet::Bytes properties(bytes, bytes ? bytes + size : bytes);
    std::free(bytes);
    if (properties.empty() || !set.AddEntry("Resources", "-!None/Properties.txt", properties)) {
        error = "cannot add the sequence !None";
        return false;
    }
    return true;
}
