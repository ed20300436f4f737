#include "objects/StringProperty.h"

#include "foundation/VirtualFile.h"

#include <cstdlib>
#include <cstring>

CStringProperty::CStringProperty(const char* name, uint32_t offset, uint32_t size, uint32_t flags,
                                 const char* defaultText, Setter setter)
    : CPropertyDescriptor(name, nullptr, offset, size, flags)
    , m_default(defaultText ? defaultText : "")
    , m_hasDefault(defaultText != nullptr)
    , m_setter(setter)
{
}

CPropertyDescriptor* CStringProperty::Clone() const
{
    return new CStringProperty(*this);
}

bool CStringProperty::IsSimpleValue() const
{
    return true;
}

char* CStringProperty::CopyText(const char* text)
{
    if (!text)
        return nullptr;
    size_t length = std::strlen(text);
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (copy)
        std::memcpy(copy, text, length + 1);
    return copy;
}

void CStringProperty::Store(CObject* object, const char* text) const
{
    if (m_setter) {
        (object->*m_setter)(text);
        return;
    }
    // The copy is made before the old text goes, since text may be the stored text itself.
    char* copy = CopyText(text);
    std::free(LoadMember<char*>(object));
    StoreMember(object, copy);
}

void CStringProperty::CopyValue(CObject* destination, const CObject* source,
                                const CPropertyDescriptor& sourceDescriptor) const
{
    const char* theirs = LoadAt<const char*>(source, sourceDescriptor.GetOffset());
    Store(destination, theirs ? theirs : "");
}

void CStringProperty::InitMember(CObject* object) const
{
    StoreMember<char*>(object, nullptr);
}

void CStringProperty::DestroyMember(CObject* object) const
{
    std::free(LoadMember<char*>(object));
    StoreMember<char*>(object, nullptr);
}

void CStringProperty::SetDefault(CObject* object) const
{
    Store(object, GetDefaultText());
}

void CStringProperty::FormatValue(const CObject* object, CSharedString& out) const
{
    out.AssignText(GetValue(object));
}

void CStringProperty::ParseValue(CObject* object, const char* value, CObjectTextStream&) const
{
    Store(object, value);
}

bool CStringProperty::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    return WriteCountedText(stream, GetValue(object));
}

bool CStringProperty::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    // The length is checked against the rest of the stream before anything is allocated; a
    // damaged length leaves the text as it was.
    char* text = nullptr;
    if (!stream.ReadAllocatedString(&text))
        return false;
    std::free(LoadMember<char*>(object));
    StoreMember(object, text);
    return true;
}

void CStringProperty::SetDefaultText(const char* text)
{
    m_default = text ? text : "";
    m_hasDefault = text != nullptr;
}
