// Feeds arbitrary bytes to the object text reader (and to the binary property reads) of a class
// with a property of every scalar type and a block-valued dynamic property. Fatal data reports,
// which end the program by design, are turned into exceptions so that one input cannot stop the
// run.
#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "objects/BitFlagProperty.h"
#include "objects/BoolProperty.h"
#include "objects/CoordinateProperty.h"
#include "objects/DynamicProperties.h"
#include "objects/EnumTable.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/FloatProperty.h"
#include "objects/Int64Property.h"
#include "objects/IntProperty.h"
#include "objects/ObjectTextStream.h"
#include "objects/UIntProperty.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessBackend.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

const CEnumTableEntry s_shapes[] = {
    {0, "!None", nullptr},
    {1, "Round", "Circle"},
    {2, "Square", nullptr},
    {0, nullptr, nullptr},
};
CEnumTable s_shapeTable(s_shapes);

class CFuzzTarget : public CObject
{
    DECLARE_CLASS_RECORD(CFuzzTarget)
    CFuzzTarget() { InitOwnProperties(); }
    ~CFuzzTarget() override { DestroyOwnProperties(); }
    int32_t m_int;
    int32_t m_coordinate;
    uint32_t m_unsigned;
    bool m_bool;
    uint32_t m_flags;
    uint32_t m_shape;
    float m_float;
    int64_t m_big;
};

IMPLEMENT_CLASS_RECORD(CFuzzTarget, CObject, 1.0f)
void CFuzzTarget::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("Numbers/Int", &CFuzzTarget::m_int, 0, 1, nullptr, -50, 50));
    record->AddProperty(new CCoordinateProperty("Position/X", &CFuzzTarget::m_coordinate, 0, 0));
    CUIntProperty* named = new CUIntProperty("Numbers/Unsigned", &CFuzzTarget::m_unsigned, 0, 3);
    named->AddValueName("Few", 3);
    named->AddValueName("Many", 300);
    record->AddProperty(named);
    record->AddProperty(new CBoolProperty("Flags/Bool", &CFuzzTarget::m_bool, 0, true));
    record->AddProperty(new CBitFlagProperty("Flags/Low", &CFuzzTarget::m_flags, 0x1, 0, false));
    record->AddProperty(new CBitFlagProperty("Flags/High", &CFuzzTarget::m_flags, 0x80000000u, 0, true));
    record->AddProperty(new CFixedListChoiceProperty("Shape", &CFuzzTarget::m_shape, &s_shapeTable, 0, "Round"));
    CFloatProperty* rate = new CFloatProperty("Rate", &CFuzzTarget::m_float, 0, 1.0f, nullptr, -10.0f, 10.0f);
    rate->AddValueName("Normal", 1.0f);
    record->AddProperty(rate);
    record->AddProperty(new CInt64Property("Big", &CFuzzTarget::m_big, 0, 5));
}

CIntProperty* GetExtra()
{
    static CIntProperty* s_extra = new CIntProperty("Extra", nullptr, 0, 0, 0, nullptr, 0, 0);
    return s_extra;
}

CDynamicPropertyRegistrar s_extraRegistrar(GetExtra(), CFuzzTarget::GetStaticClassRecord());

struct FatalEnd
{
};

void ThrowFatal(const char*, const char*)
{
    throw FatalEnd();
}

void OpenOver(CObjectTextStream& stream, const uint8_t* data, size_t size)
{
    CFileBuf* buffer = new CFileBuf;
    buffer->Write(data, static_cast<uint32_t>(size));
    buffer->Seek(0);
    stream.OpenMemory(buffer, VF_READ);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::FatalHandler previous = platform::SetFatalHandler(&ThrowFatal);
    CFuzzTarget object;
    try {
        CObjectTextStream stream;
        OpenOver(stream, data, size);
        if (object.ReadFromTextStream(stream)) {
            // What the writer makes of any object read must read again.
            CObjectTextStream written;
            written.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
            object.WriteToTextStream(written);
            written.Seek(0);
            CFuzzTarget again;
            if (!again.ReadFromTextStream(written))
                std::abort();
        }
    } catch (const FatalEnd&) {
    }
    try {
        CObjectTextStream stream;
        OpenOver(stream, data, size);
        const CClassRecord* record = object.GetClassRecord();
        for (uint32_t i = 0; i < record->GetPropertyCount(); ++i)
            if (!record->GetProperty(i)->ReadBinary(&object, stream))
                break;
    } catch (const FatalEnd&) {
    }
    platform::SetFatalHandler(previous);
    if (auto* headless = dynamic_cast<platform::HeadlessBackend*>(&platform::GetBackend()))
        headless->ClearMessageBoxes();
    return 0;
}
