#include "ObjectText.h"

#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "objects/Object.h"
#include "objects/ObjectTextStream.h"

#include <cstdlib>

bool AddResourceFile(CContentSet& set, const std::string& name, const CContentSet::Bytes& bytes, std::string& error)
{
    if (bytes.empty() || !set.AddEntry("Resources", name, bytes)) {
        error = "cannot add " + name;
        return false;
    }
    return true;
}

CContentSet::Bytes WriteObjectText(const CObject& object)
{
    CObjectTextStream text;
    text.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    object.WriteToTextStream(text);
    const uint32_t size = text.GetSize();
    uint8_t* bytes = text.DetachBuffer();
    CContentSet::Bytes written(bytes, bytes ? bytes + size : bytes);
    std::free(bytes);
    return written;
}
