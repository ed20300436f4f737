#include "objects/DynamicProperties.h"

#include "objects/ClassRecord.h"
#include "objects/Object.h"
#include "objects/PropertyDescriptor.h"

namespace {

// A value slot stands in for the object: dynamic descriptors address their value at offset 0.
CObject* SlotObject(void* slot)
{
    return static_cast<CObject*>(slot);
}

} // namespace

CDynamicProperties::~CDynamicProperties()
{
    DestroyAll();
}

void CDynamicProperties::DestroyAll()
{
    for (Pair& pair : m_pairs) {
        pair.m_descriptor->DestroyMember(SlotObject(pair.m_slot));
        pair.m_descriptor->FreeValue(pair.m_slot);
    }
    m_pairs.clear();
}

void* CDynamicProperties::Find(const CPropertyDescriptor* descriptor) const
{
    for (const Pair& pair : m_pairs)
        if (pair.m_descriptor == descriptor)
            return pair.m_slot;
    return nullptr;
}

void* CDynamicProperties::AppendPair(const CPropertyDescriptor* descriptor)
{
    void* slot = descriptor->AllocValue();
    descriptor->InitMember(SlotObject(slot));
    m_pairs.push_back({descriptor, slot});
    return slot;
}

void* CDynamicProperties::GetOrAdd(const CPropertyDescriptor* descriptor)
{
    void* slot = Find(descriptor);
    return slot ? slot : AppendPair(descriptor);
}

void* CDynamicProperties::Add(const CPropertyDescriptor* descriptor)
{
    return Find(descriptor) ? nullptr : AppendPair(descriptor);
}

bool CDynamicProperties::Remove(const CPropertyDescriptor* descriptor)
{
    for (size_t i = 0; i < m_pairs.size(); ++i) {
        if (m_pairs[i].m_descriptor != descriptor)
            continue;
        descriptor->DestroyMember(SlotObject(m_pairs[i].m_slot));
        descriptor->FreeValue(m_pairs[i].m_slot);
        m_pairs.erase(m_pairs.begin() + static_cast<std::ptrdiff_t>(i));
        return true;
    }
    return false;
}

void CDynamicProperties::CopyFrom(const CDynamicProperties& other)
{
    if (&other == this)
        return;
    DestroyAll();
    for (const Pair& pair : other.m_pairs) {
        void* slot = AppendPair(pair.m_descriptor);
        pair.m_descriptor->CopyValue(SlotObject(slot), SlotObject(pair.m_slot), *pair.m_descriptor);
    }
}

void CDynamicProperties::NotifyLoaded(bool tracksReferences)
{
    for (Pair& pair : m_pairs)
        pair.m_descriptor->NotifyLoaded(SlotObject(pair.m_slot), tracksReferences);
}

void CDynamicProperties::FixUpAfterLoad()
{
    for (Pair& pair : m_pairs)
        pair.m_descriptor->FixUpAfterLoad(SlotObject(pair.m_slot));
}

CDynamicPropertyRegistrar::CDynamicPropertyRegistrar(CPropertyDescriptor* descriptor, CClassRecord* record,
                                                     const char* helpText)
{
    record->AddDynamicPropertyToHierarchy(descriptor);
    if (helpText)
        descriptor->SetHelpText(helpText);
}
