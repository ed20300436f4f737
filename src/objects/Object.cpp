#include "objects/Object.h"

#include "foundation/SmallBlockAllocator.h"
#include "foundation/TextUtilities.h"
#include "objects/ClassRegistry.h"
#include "objects/DynamicProperties.h"
#include "objects/DynamicPropertiesProperty.h"
#include "objects/ObjectTextStream.h"
#include "objects/PropertyDescriptor.h"
#include "objects/PropertyDescriptorList.h"

#include <algorithm>
#include <cstring>

namespace {

void RegisterObjectClass()
{
    CClassRegistry::GetInstance()->Register(CObject::GetStaticClassRecord());
}

CStaticRegistrar s_objectRegistrar(&RegisterObjectClass);

} // namespace

CObjectReceiver::CObjectReceiver(const CClassRecord* record, CObject** target)
    : m_record(record)
    , m_target(target)
{
}

CObjectReceiver::~CObjectReceiver() = default;

CObject* CObjectReceiver::Set(CObject* object)
{
    if (object && m_record && object->GetClassRecord()->IsKindOf(m_record)) {
        if (m_target)
            *m_target = object;
        return object;
    }
    if (m_target)
        *m_target = nullptr;
    return nullptr;
}

CObject* CObjectReceiver::Get() const
{
    return m_target ? *m_target : nullptr;
}

const CClassRecord* CObjectReceiver::GetClassRecord() const
{
    return m_record;
}

CClassRecord* CObject::GetStaticClassRecord()
{
    static CClassRecord* s_record = nullptr;
    if (!s_record)
        new CClassRecord(&s_record, "CObject", 0.0f, nullptr, sizeof(CObject), true, nullptr, nullptr, nullptr,
                         &CObject::AddProperties);
    return s_record;
}

CClassRecord* CObject::GetClassRecord() const
{
    return GetStaticClassRecord();
}

void CObject::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CDynamicPropertiesProperty(CPropertyDescriptor::MemberOffset(&CObject::m_dynamicProperties)));
}

CObject::CObject()
    : m_dynamicProperties(nullptr)
{
    InitOwnProperties();
}

CObject::~CObject()
{
    delete m_dynamicProperties;
    m_dynamicProperties = nullptr;
    DestroyOwnProperties();
}

void* CObject::operator new(size_t size)
{
    return AllocSmallBlock(size);
}

void CObject::operator delete(void* block, size_t size)
{
    FreeSmallBlock(block, size);
}

void CObject::InitOwnProperties()
{
    const CClassRecord* record = GetClassRecord();
    for (uint32_t i = record->GetInheritedCount(); i < record->GetPropertyCount(); ++i)
        record->GetProperty(i)->InitMember(this);
}

void CObject::DestroyOwnProperties()
{
    const CClassRecord* record = GetClassRecord();
    for (uint32_t i = record->GetInheritedCount(); i < record->GetPropertyCount(); ++i)
        record->GetProperty(i)->DestroyMember(this);
}

bool CObject::IsKindOf(const CClassRecord* record) const
{
    return GetClassRecord()->IsKindOf(record);
}

CObject* CObject::Clone() const
{
    CObject* copy = GetClassRecord()->CreateObject();
    if (copy)
        copy->CopyPropertiesFrom(this);
    return copy;
}

void CObject::FixUpAfterLoad()
{
    const CClassRecord* record = GetClassRecord();
    for (uint32_t i = 0; i < record->GetPropertyCount(); ++i)
        record->GetProperty(i)->FixUpAfterLoad(this);
}

void CObject::WriteCustomProperties(CObjectTextStream&) const
{
}

void CObject::ReadCustomProperties(const char* label, const char* value, CObjectTextStream& stream)
{
    CPropertyDescriptor* dynamic = GetDynamicPropertyList()->Find(label);
    if (dynamic && value && *value && std::strcmp(value, "0") != 0) {
        // A repeated label parses over the value it already has.
        void* slot = GetOrAddDynamicValue(dynamic);
        dynamic->ParseValue(static_cast<CObject*>(slot), value, stream);
        return;
    }

    // An unknown label may be followed by the block of a nested object (optionally headed by its
    // class name): skip it whole. Anything else stays for the reader.
    if (!dynamic)
        stream.NoteSkippedLine();
    int32_t start = stream.GetPosition();
    CSharedString line;
    bool classLine = false;
    if (stream.ReadNonBlankTextLine(line)) {
        const char* text = SkipWhitespace(line.CStr());
        classLine = text[0] == 'C' && !std::strchr(text, '=');
    }
    if (!classLine)
        stream.Seek(static_cast<uint32_t>(start));
    if (!stream.SkipNestedBlock())
        stream.Seek(static_cast<uint32_t>(start));
}

bool CObject::WriteCustomBinary(CVirtualFile&) const
{
    return true;
}

bool CObject::ReadCustomBinary(CVirtualFile&)
{
    return true;
}

void CObject::BeginRead()
{
}

void CObject::OnLoaded(CObjectReceiver*)
{
}

void CObject::NotifyLoaded(bool withReceiver)
{
    if (!withReceiver) {
        OnLoaded(nullptr);
        return;
    }
    CObjectReceiver nobody(CClassThatCanNotBeConstructedOrDerivedFrom::GetStaticClassRecord(), nullptr);
    OnLoaded(&nobody);
}

void CObject::SetPropertiesToDefaults()
{
    const CClassRecord* record = GetClassRecord();
    for (uint32_t i = 0; i < record->GetPropertyCount(); ++i)
        record->GetProperty(i)->SetDefault(this);
}

void CObject::CopyPropertiesFrom(const CObject* other)
{
    if (!other || other == this)
        return;
    const CClassRecord* mine = GetClassRecord();
    const CClassRecord* theirs = other->GetClassRecord();
    // The nearest class that both objects are instances of; copying goes no further than its
    // properties, since beyond them the two property lists describe different members.
    const CClassRecord* common = theirs;
    while (common && !mine->IsKindOf(common) && !common->IsKindOf(mine))
        common = common->GetBase();
    if (!common || !common->GetBase())
        return;
    uint32_t n = std::min(mine->GetPropertyCount(), common->GetPropertyCount());
    for (uint32_t i = 0; i < n; ++i)
        mine->GetProperty(i)->CopyValue(this, other, *theirs->GetProperty(i));
    for (uint32_t i = n; i < mine->GetPropertyCount(); ++i)
        mine->GetProperty(i)->SetDefault(this);
}

uint32_t CObject::GetObjectSize() const
{
    return GetClassRecord()->GetObjectSize();
}

void CObject::GetDescription(CSharedString& out, const char* suffix) const
{
    const CClassRecord* record = GetClassRecord();
    record->GetDisplayName(out, suffix);
    out.AppendText(" ");
    int appended = 0;
    for (uint32_t i = 0; i < record->GetPropertyCount() && appended < 2; ++i) {
        const CPropertyDescriptor* descriptor = record->GetProperty(i);
        if (descriptor->GetFlags() == 0)
            continue;
        AppendPropertyText(descriptor, out, true);
        out.AppendText(" ");
        ++appended;
    }
}

void* CObject::AddDynamicValue(const CPropertyDescriptor* descriptor)
{
    if (!m_dynamicProperties)
        m_dynamicProperties = new CDynamicProperties;
    return m_dynamicProperties->Add(descriptor);
}

void* CObject::GetOrAddDynamicValue(const CPropertyDescriptor* descriptor)
{
    if (!m_dynamicProperties)
        m_dynamicProperties = new CDynamicProperties;
    return m_dynamicProperties->GetOrAdd(descriptor);
}

void* CObject::FindDynamicValue(const CPropertyDescriptor* descriptor) const
{
    return m_dynamicProperties ? m_dynamicProperties->Find(descriptor) : nullptr;
}

bool CObject::RemoveDynamicValue(const CPropertyDescriptor* descriptor)
{
    return m_dynamicProperties ? m_dynamicProperties->Remove(descriptor) : false;
}

bool CObject::HasDynamicValue(const CPropertyDescriptor* descriptor) const
{
    return FindDynamicValue(descriptor) != nullptr;
}

CPropertyDescriptorList* CObject::GetDynamicPropertyList() const
{
    return GetClassRecord()->GetDynamicPropertyList();
}

void CObject::AppendPropertyText(const CPropertyDescriptor* descriptor, CSharedString& out, bool append) const
{
    if (!append) {
        descriptor->FormatValue(this, out);
        return;
    }
    CSharedString text;
    descriptor->FormatValue(this, text);
    out.AppendText(text.CStr());
}

IMPLEMENT_ABSTRACT_CLASS_RECORD(CClassThatCanNotBeConstructedOrDerivedFrom, CObject, 0.0f)

void CClassThatCanNotBeConstructedOrDerivedFrom::AddProperties(CClassRecord*)
{
}
