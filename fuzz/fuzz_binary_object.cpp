// Feeds arbitrary bytes to the binary object reader, as a damaged sequence or font cache would, for
// a class with a property of every type: scalars, texts, owned and embedded objects, arrays of
// values and of objects, with and without item-name lists. Whatever reads must write again, read
// back and give the same bytes. The same bytes also go to the object text reader of that class,
// whose block-valued properties read nested lines of their own. Fatal data reports, which end the
// program by design, are turned into exceptions so that one input cannot stop the run.
//
// The seed corpus is made by the writer: run the corpus runner with VANTOREL_WRITE_SEEDS naming
// the folder (fuzz/corpus/fuzz_binary_object) and it writes the seeds there before its first input.
#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "objects/ArrayProperty.h"
#include "objects/BoolProperty.h"
#include "objects/DynamicProperties.h"
#include "objects/EmbeddedObjectProperty.h"
#include "objects/EnumTable.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/FloatProperty.h"
#include "objects/Int64Property.h"
#include "objects/IntProperty.h"
#include "objects/ObjectArrayProperty.h"
#include "objects/ObjectPointerProperty.h"
#include "objects/ObjectTextStream.h"
#include "objects/SharedStringPropertyDescriptor.h"
#include "objects/StringProperty.h"
#include "objects/UIntProperty.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessBackend.h"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

const CEnumTableEntry s_slots[] = {
    {0, "!None", nullptr}, {1, "Left", nullptr}, {2, "Right", nullptr}, {0, nullptr, nullptr},
};
CEnumTable s_slotTable(s_slots);

class CFuzzPart : public CObject
{
    DECLARE_CLASS_RECORD(CFuzzPart)
    CFuzzPart() { InitOwnProperties(); }
    ~CFuzzPart() override { DestroyOwnProperties(); }
    int32_t m_number;
    CSharedString m_label;
};

class CFuzzWheel : public CFuzzPart
{
    DECLARE_CLASS_RECORD(CFuzzWheel)
    CFuzzWheel() { InitOwnProperties(); }
    ~CFuzzWheel() override { DestroyOwnProperties(); }
    float m_spokes;
};

class CFuzzLoose : public CObject
{
    DECLARE_CLASS_RECORD(CFuzzLoose)
    CFuzzLoose() { InitOwnProperties(); }
    ~CFuzzLoose() override { DestroyOwnProperties(); }
    int32_t m_weight;
};

class CFuzzHolder : public CObject
{
    DECLARE_CLASS_RECORD(CFuzzHolder)
    CFuzzHolder() { InitOwnProperties(); }
    ~CFuzzHolder() override { DestroyOwnProperties(); }
    int32_t m_int;
    uint32_t m_unsigned;
    bool m_bool;
    uint32_t m_slot;
    float m_float;
    int64_t m_big;
    CSharedString m_title;
    char* m_note;
    CFuzzPart* m_part;
    CFuzzPart m_embedded;
    uint32_t m_valueCount;
    int32_t* m_values;
    uint32_t m_valueCapacity;
    uint32_t m_textCount;
    CSharedString* m_texts;
    uint32_t m_partCount;
    CObject** m_parts;
    uint32_t m_slotValueCount;
    int32_t* m_slotValues;
    uint32_t m_itemCount;
    CFuzzPart* m_items;
    uint32_t m_itemCapacity;
    uint32_t m_slotItemCount;
    CFuzzPart* m_slotItems;
};

IMPLEMENT_CLASS_RECORD(CFuzzPart, CObject, 1.0f)
void CFuzzPart::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("Number", &CFuzzPart::m_number, 0, 1));
    record->AddProperty(new CSharedStringPropertyDescriptor("Label", &CFuzzPart::m_label, 0, "part"));
}

IMPLEMENT_CLASS_RECORD(CFuzzWheel, CFuzzPart, 1.0f)
void CFuzzWheel::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CFloatProperty("Spokes", &CFuzzWheel::m_spokes, 0, 12.0f));
}

IMPLEMENT_CLASS_RECORD(CFuzzLoose, CObject, 1.0f)
void CFuzzLoose::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("Weight", &CFuzzLoose::m_weight, 0, 2));
}

IMPLEMENT_CLASS_RECORD(CFuzzHolder, CObject, 1.0f)
void CFuzzHolder::AddProperties(CClassRecord* record)
{
    CClassRecord* part = CFuzzPart::GetStaticClassRecord();
    record->AddProperty(new CIntProperty("Int", &CFuzzHolder::m_int, 0, 1, nullptr, -50, 50));
    record->AddProperty(new CUIntProperty("Unsigned", &CFuzzHolder::m_unsigned, 0, 3));
    record->AddProperty(new CBoolProperty("Bool", &CFuzzHolder::m_bool, 0, true));
    record->AddProperty(new CFixedListChoiceProperty("Slot", &CFuzzHolder::m_slot, &s_slotTable, 0, "Left"));
    record->AddProperty(new CFloatProperty("Float", &CFuzzHolder::m_float, 0, 1.0f));
    record->AddProperty(new CInt64Property("Big", &CFuzzHolder::m_big, 0, 5));
    record->AddProperty(new CSharedStringPropertyDescriptor("Title", &CFuzzHolder::m_title, 0, "title"));
    record->AddProperty(new CStringProperty("Note", &CFuzzHolder::m_note, 0, nullptr));
    record->AddProperty(new CObjectPointerProperty("Part", &CFuzzHolder::m_part, 0, part, part));
    record->AddProperty(new CEmbeddedObjectProperty("Embedded", &CFuzzHolder::m_embedded, 0));
    record->AddProperty(new CArrayProperty("Values", &CFuzzHolder::m_valueCount, &CFuzzHolder::m_values,
                                           &CFuzzHolder::m_valueCapacity, true,
                                           new CIntProperty("Value", nullptr, 0, 0, 7, nullptr, 0, 0), nullptr, 0));
    record->AddProperty(new CArrayProperty(
        "Texts", &CFuzzHolder::m_textCount, &CFuzzHolder::m_texts, nullptr, false,
        new CSharedStringPropertyDescriptor("Text", 0, sizeof(CSharedString), 0, "", nullptr, false), nullptr, 0));
    record->AddProperty(new CArrayProperty("Parts", &CFuzzHolder::m_partCount, &CFuzzHolder::m_parts, nullptr, false,
                                           new CObjectPointerProperty("Part", 0, sizeof(CObject*), 0, part, nullptr,
                                                                      nullptr),
                                           nullptr, 0));
    record->AddProperty(new CArrayProperty("Slot Values", &CFuzzHolder::m_slotValueCount, &CFuzzHolder::m_slotValues,
                                           nullptr, true, new CIntProperty("Value", nullptr, 0, 0, 0, nullptr, 0, 0),
                                           &s_slotTable, 0));
    record->AddProperty(new CObjectArrayProperty("Items", &CFuzzHolder::m_itemCount, &CFuzzHolder::m_items,
                                                 &CFuzzHolder::m_itemCapacity, nullptr, 0));
    record->AddProperty(new CObjectArrayProperty("Slot Items", &CFuzzHolder::m_slotItemCount,
                                                 &CFuzzHolder::m_slotItems, nullptr, &s_slotTable, 0));
}

CIntProperty* GetExtra()
{
    static CIntProperty* s_extra = new CIntProperty("Extra", nullptr, 0, 0, 0, nullptr, 0, 0);
    return s_extra;
}

CDynamicPropertyRegistrar s_extraRegistrar(GetExtra(), CFuzzHolder::GetStaticClassRecord());

struct FatalEnd
{
};

void ThrowFatal(const char*, const char*)
{
    throw FatalEnd();
}

std::string WriteText(const CObject& object)
{
    CObjectTextStream stream;
    stream.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    object.WriteToTextStream(stream);
    uint32_t size = stream.GetSize();
    std::string bytes(size, '\0');
    stream.Seek(0);
    stream.Read(bytes.data(), size);
    return bytes;
}

bool ReadText(CObject& object, const uint8_t* data, size_t size)
{
    CFileBuf* buffer = new CFileBuf;
    buffer->Write(data, static_cast<uint32_t>(size));
    buffer->Seek(0);
    CObjectTextStream stream;
    stream.OpenMemory(buffer, VF_READ);
    return object.ReadFromTextStream(stream);
}

std::string Write(const CObject& object)
{
    CObjectTextStream stream;
    stream.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    if (!object.WriteBinary(stream))
        std::abort();
    uint32_t size = stream.GetSize();
    std::string bytes(size, '\0');
    stream.Seek(0);
    stream.Read(bytes.data(), size);
    return bytes;
}

bool Read(CObject& object, const uint8_t* data, size_t size)
{
    CFileBuf* buffer = new CFileBuf;
    buffer->Write(data, static_cast<uint32_t>(size));
    buffer->Seek(0);
    CObjectTextStream stream;
    stream.OpenMemory(buffer, VF_READ);
    return object.ReadBinary(stream);
}

void WriteSeed(const std::string& folder, const char* name, const std::string& bytes)
{
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteSeeds(const std::string& folder)
{
    CFuzzHolder defaults;
    defaults.SetPropertiesToDefaults();
    WriteSeed(folder, "defaults.bin", Write(defaults));

    CFuzzHolder full;
    full.SetPropertiesToDefaults();
    full.m_int = -7;
    full.m_slot = 2;
    full.m_title.AssignText("A title");
    full.m_note = CStringProperty::CopyText("a note");
    delete full.m_part;
    auto* wheel = new CFuzzWheel;
    wheel->SetPropertiesToDefaults();
    full.m_part = wheel;
    *static_cast<int32_t*>(full.AddDynamicValue(GetExtra())) = 4;
    const CClassRecord* record = full.GetClassRecord();
    static_cast<const CArrayProperty*>(record->FindProperty("Values"))->Resize(&full, 3);
    static_cast<const CArrayProperty*>(record->FindProperty("Texts"))->Resize(&full, 2);
    full.m_texts[1].AssignText("second");
    static_cast<const CArrayProperty*>(record->FindProperty("Parts"))->Resize(&full, 2);
    full.m_parts[1] = new CFuzzPart;
    full.m_parts[1]->SetPropertiesToDefaults();
    static_cast<const CObjectArrayProperty*>(record->FindProperty("Items"))->Resize(&full, 2);
    full.m_items[1].m_number = 9;
    full.m_slotItems[2].m_label.AssignText("right");
    std::string fullBytes = Write(full);
    WriteSeed(folder, "full.bin", fullBytes);
    WriteSeed(folder, "full.txt", WriteText(full));
    WriteSeed(folder, "truncated.bin", fullBytes.substr(0, fullBytes.size() / 2));

    CFuzzHolder empty;
    empty.SetPropertiesToDefaults();
    delete empty.m_part;
    empty.m_part = nullptr;
    WriteSeed(folder, "no-part.bin", Write(empty));

    // The older header with its identifier, which is refused.
    std::string old = Write(defaults);
    old.replace(0, 4, std::string("\x00\x00\xC0\x41\x78\x56\x34\x12", 8));
    WriteSeed(folder, "old-header.bin", old);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool s_seedsWritten = false;
    if (!s_seedsWritten) {
        s_seedsWritten = true;
        if (const char* folder = std::getenv("VANTOREL_WRITE_SEEDS"))
            WriteSeeds(folder);
    }

    platform::FatalHandler previous = platform::SetFatalHandler(&ThrowFatal);
    try {
        CFuzzHolder object;
        object.SetPropertiesToDefaults();
        if (Read(object, data, size)) {
            object.FixUpAfterLoad();
            std::string written = Write(object);
            CFuzzHolder again;
            if (!Read(again, reinterpret_cast<const uint8_t*>(written.data()), written.size()))
                std::abort();
            if (Write(again) != written)
                std::abort();
            CFuzzHolder copy;
            copy.CopyPropertiesFrom(&object);
            if (Write(copy) != written)
                std::abort();
        }
    } catch (const FatalEnd&) {
    }
    try {
        CFuzzHolder object;
        if (ReadText(object, data, size)) {
            // The writer's text reads again, to the same text.
            std::string written = WriteText(object);
            CFuzzHolder again;
            if (!ReadText(again, reinterpret_cast<const uint8_t*>(written.data()), written.size()))
                std::abort();
            if (WriteText(again) != written)
                std::abort();
        }
    } catch (const FatalEnd&) {
    }
    platform::SetFatalHandler(previous);
    if (auto* headless = dynamic_cast<platform::HeadlessBackend*>(&platform::GetBackend()))
        headless->ClearMessageBoxes();
    return 0;
}
