#include "objects/ClassRecord.h"

#include "objects/ClassRegistry.h"
#include "objects/PropertyDescriptor.h"
#include "objects/PropertyDescriptorList.h"

#include <cstring>

namespace {

// Where the last property look-up hit, plus one: properties read in declaration order are found at
// the first probe. One cursor serves every record.
uint32_t s_findPropertyCursor = 0;

} // namespace

CClassRecord::CClassRecord(CClassRecord** slot, const char* name, float version, CClassRecord* base,
                           uint32_t objectSize, bool isAbstract, CreateObjectFunction create,
                           CreateObjectArrayFunction createArray, DeleteObjectArrayFunction deleteArray,
                           PropertyTableFunction propertyTable)
    : m_name(name)
    , m_version(version)
    , m_base(base)
    , m_dynamicProperties(new CPropertyDescriptorList(false))
    , m_abstract(isAbstract)
    , m_objectSize(objectSize)
    , m_create(create)
    , m_createArray(createArray)
    , m_deleteArray(deleteArray)
{
    if (m_base) {
        m_base->m_derived.push_back(this);
        CPropertyDescriptorList* inherited = m_base->m_dynamicProperties;
        for (uint32_t i = 0; i < inherited->GetCount(); ++i) {
            CPropertyDescriptor* descriptor = inherited->GetAt(i);
            descriptor->SetDynamicFlag();
            m_dynamicProperties->Add(descriptor);
        }
    }
    if (slot)
        *slot = this;

    // Each class owns its own copies of the inherited descriptors.
    if (m_base) {
        m_properties.reserve(m_base->m_properties.size());
        for (CPropertyDescriptor* descriptor : m_base->m_properties)
            m_properties.push_back(descriptor->Clone());
        m_inheritedCount = static_cast<uint32_t>(m_properties.size());
    }

    if (propertyTable)
        propertyTable(this);

    // Any change of a class's property list, or of its base's, changes its version, so binary data
    // written by another shape of the class is refused.
    m_version += 7.0f * static_cast<float>(m_properties.size() - m_inheritedCount);
    if (m_base)
        m_version += 3.0f * m_base->m_version;
}

CClassRecord::~CClassRecord()
{
    for (CPropertyDescriptor* descriptor : m_properties)
        delete descriptor;
    delete m_dynamicProperties;
}

const char* CClassRecord::GetItemName(uint32_t i) const
{
    return i < m_properties.size() ? m_properties[i]->GetLabel().CStr() : nullptr;
}

uint32_t CClassRecord::GetCount() const
{
    return static_cast<uint32_t>(m_properties.size());
}

CObject* CClassRecord::CreateObject() const
{
    return m_create ? m_create() : nullptr;
}

CObject* CClassRecord::CreateObjectArray(uint32_t count) const
{
    return m_createArray ? m_createArray(count) : nullptr;
}

void CClassRecord::DeleteObjectArray(CObject* array) const
{
    if (array && m_deleteArray)
        m_deleteArray(array);
}

void CClassRecord::AddProperty(CPropertyDescriptor* descriptor)
{
    m_properties.push_back(descriptor);
}

CPropertyDescriptor* CClassRecord::GetLastProperty() const
{
    return m_properties.empty() ? nullptr : m_properties.back();
}

CPropertyDescriptor* CClassRecord::FindProperty(const char* label, int* index) const
{
    if (index)
        *index = -1;
    uint32_t count = static_cast<uint32_t>(m_properties.size());
    if (count == 0)
        return nullptr;
    if (s_findPropertyCursor >= count)
        s_findPropertyCursor = 0;
    uint32_t probe = s_findPropertyCursor;
    if (NamesEqual(m_properties[probe]->GetLabel().CStr(), label)) {
        ++s_findPropertyCursor;
        if (index)
            *index = static_cast<int>(probe);
        return m_properties[probe];
    }
    for (uint32_t i = 0; i < count; ++i) {
        if (NamesEqual(m_properties[i]->GetLabel().CStr(), label)) {
            s_findPropertyCursor = i + 1;
            if (index)
                *index = static_cast<int>(i);
            return m_properties[i];
        }
    }
    for (uint32_t i = 0; i < count; ++i) {
        const CSharedString& alias = m_properties[i]->GetAlias();
        if (!alias.IsEmpty() && NamesEqual(alias.CStr(), label)) {
            if (index)
                *index = static_cast<int>(i);
            return m_properties[i];
        }
    }
    return nullptr;
}

bool CClassRecord::IsKindOf(const CClassRecord* record) const
{
    if (!record)
        return true;
    for (const CClassRecord* r = this; r; r = r->m_base)
        if (r == record)
            return true;
    return false;
}

void CClassRecord::GetDisplayName(CSharedString& out, const char* suffix) const
{
    const char* name = m_name;
    if (name[0] == 'C' && name[1] >= 'A' && name[1] <= 'Z')
        ++name;
    out.AssignText(name);
    if (suffix && *suffix) {
        const char* found = std::strstr(out.CStr(), suffix);
        if (found) {
            CSharedString trimmed;
            trimmed.AssignChars(out.CStr(), static_cast<uint32_t>(found - out.CStr()));
            trimmed.AppendText(found + std::strlen(suffix));
            out = trimmed;
        }
    }
}

void CClassRecord::AddDynamicPropertyToHierarchy(CPropertyDescriptor* descriptor)
{
    descriptor->SetDynamicFlag();
    m_dynamicProperties->Add(descriptor);
    for (CClassRecord* derived : m_derived)
        derived->AddDynamicPropertyToHierarchy(descriptor);
}

CClassRegistrar::CClassRegistrar(CClassRecord* (*accessor)())
{
    CClassRegistry::GetInstance()->Register(accessor());
}

CStaticRegistrar::CStaticRegistrar(void (*function)())
{
    function();
}
