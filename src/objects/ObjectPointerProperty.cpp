#include "objects/ObjectPointerProperty.h"

#include "foundation/VirtualFile.h"
#include "objects/ClassRegistry.h"
#include "objects/CurrentObjectFileName.h"
#include "objects/ObjectTextStream.h"

namespace {

const char* const kInvalidClassCaption = "Invalid class type";

} // namespace

CObjectPointerProperty::CObjectPointerProperty(const char* name, uint32_t offset, uint32_t size, uint32_t flags,
                                               CClassRecord* baseClass, CClassRecord* defaultClass, Setter setter)
    : CPropertyDescriptor(name, nullptr, offset, size, flags)
    , m_baseClass(baseClass)
    , m_defaultClass(defaultClass)
    , m_setter(setter)
{
}

CPropertyDescriptor* CObjectPointerProperty::Clone() const
{
    return new CObjectPointerProperty(*this);
}

bool CObjectPointerProperty::IsSimpleValue() const
{
    return true;
}

void CObjectPointerProperty::Replace(CObject* object, CObject* held) const
{
    if (m_setter) {
        (object->*m_setter)(held);
        return;
    }
    CObject* old = GetValue(object);
    StoreMember<CObject*>(object, held);
    if (old != held)
        delete old;
}

void CObjectPointerProperty::CopyValue(CObject* destination, const CObject* source,
                                       const CPropertyDescriptor& sourceDescriptor) const
{
    CObject* theirs = LoadAt<CObject*>(source, sourceDescriptor.GetOffset());
    if (theirs && theirs == GetValue(destination))
        return;
    Replace(destination, theirs ? theirs->Clone() : nullptr);
}

void CObjectPointerProperty::InitMember(CObject* object) const
{
    StoreMember<CObject*>(object, nullptr);
}

void CObjectPointerProperty::DestroyMember(CObject* object) const
{
    CObject* held = GetValue(object);
    StoreMember<CObject*>(object, nullptr);
    delete held;
}

void CObjectPointerProperty::SetDefault(CObject* object) const
{
    CObject* held = m_defaultClass ? m_defaultClass->CreateObject() : nullptr;
    if (held)
        held->SetPropertiesToDefaults();
    Replace(object, held);
}

void CObjectPointerProperty::NotifyLoaded(CObject* object, bool tracksReferences) const
{
    if (CObject* held = GetValue(object))
        held->NotifyLoaded(tracksReferences);
}

void CObjectPointerProperty::FormatValue(const CObject* object, CSharedString& out) const
{
    CObject* held = GetValue(object);
    out.AssignText(held ? held->GetClassRecord()->GetName() : nullptr);
}

CClassRecord* CObjectPointerProperty::FindClassOrFail(const char* className, CObjectTextStream& stream) const
{
    const char* baseName = m_baseClass ? m_baseClass->GetName() : "CObject";
    const char* lastFile = CurrentObjectFileName().CStr();
    CClassRecord* record = CClassRegistry::GetInstance()->Find(className);
    CSharedString message;
    if (!record) {
        message.Format("Tried to use an unknown class \"%s\" for a \"%s\" (%s). Last file opened = \"%s\"", className,
                       GetLabel().CStr(), baseName, lastFile);
        stream.ReportFatalDamage(kInvalidClassCaption, message.CStr());
        return nullptr;
    }
    if (!record->IsKindOf(m_baseClass)) {
        message.Format("Tried to use a %s for a %s when a %s is expected. Last file opened = \"%s\"",
                       record->GetName(), GetLabel().CStr(), baseName, lastFile);
        stream.ReportFatalDamage(kInvalidClassCaption, message.CStr());
        return nullptr;
    }
    if (record->IsAbstract()) {
        message.Format("Tried to use the abstract class \"%s\" for a \"%s\" (%s). Last file opened = \"%s\"",
                       record->GetName(), GetLabel().CStr(), baseName, lastFile);
        stream.ReportFatalDamage(kInvalidClassCaption, message.CStr());
        return nullptr;
    }
    return record;
}

void CObjectPointerProperty::ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const
{
    // Blanks around the class name are not part of it.
    CSharedString className(value);
    className.TrimLeft();
    className.TrimRight();

    if (className.IsEmpty()) {
        Replace(object, nullptr);
        return;
    }

    CObject* held = GetValue(object);
    if (!held || !CItemList::NamesEqual(held->GetClassRecord()->GetName(), className.CStr())) {
        Replace(object, nullptr);
        CClassRecord* record = FindClassOrFail(className.CStr(), stream);
        held = record ? record->CreateObject() : nullptr;
        if (held)
            Replace(object, held);
    }

    if (!held) {
        // Nothing to read into: the block that follows, if any, is skipped whole.
        stream.SkipNestedBlock();
        return;
    }

    held->BeginRead();
    held->SetPropertiesToDefaults();
    {
        // Reports from inside the object name the file and this property.
        CSharedString source(CurrentObjectFileName());
        source.AppendText(":");
        source.AppendText(GetLabel().CStr());
        CCurrentObjectFileNameScope scope(source.CStr());
        if (!held->ReadPropertyBlock(stream))
            stream.MarkDamaged();
    }
    NotifyLoaded(object, !stream.IsTrackingOff());
}

void CObjectPointerProperty::WriteText(const CObject* object, CObjectTextStream& stream) const
{
    if (CObject* held = GetValue(object))
        held->WriteToTextStream(stream);
    else
        stream.WriteLine("");
}

bool CObjectPointerProperty::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    CObject* held = GetValue(object);
    if (!WriteCountedText(stream, held ? held->GetClassRecord()->GetName() : ""))
        return false;
    return held ? held->WriteBinary(stream) : true;
}

bool CObjectPointerProperty::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    Replace(object, nullptr);
    CSharedString className;
    if (!ReadCountedText(stream, className, kMaxBinaryClassName))
        return false;
    if (className.IsEmpty())
        return true;
    // Binary data is a cache: a class that does not fit the property marks it stale, so that it is
    // rebuilt from its source, rather than ending the program.
    CClassRecord* record = CClassRegistry::GetInstance()->Find(className.CStr());
    if (!record || record->IsAbstract() || !record->IsKindOf(m_baseClass))
        return false;
    CObject* held = record->CreateObject();
    if (!held)
        return false;
    held->SetPropertiesToDefaults();
    Replace(object, held);
    return held->ReadBinary(stream);
}

void CObjectPointerProperty::FixUpAfterLoad(CObject* object) const
{
    if (CObject* held = GetValue(object))
        held->FixUpAfterLoad();
}

CObject* CObjectPointerProperty::GetDynamicObject(const CObject* object) const
{
    void* slot = object->FindDynamicValue(this);
    return slot ? GetValue(static_cast<CObject*>(slot)) : nullptr;
}

void CObjectPointerProperty::SetDynamicObject(CObject* object, CObject* held) const
{
    auto* slot = static_cast<CObject*>(object->GetOrAddDynamicValue(this));
    CObject* old = GetValue(slot);
    StoreMember<CObject*>(slot, held);
    if (old != held)
        delete old;
}
