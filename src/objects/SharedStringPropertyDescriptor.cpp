#include "objects/SharedStringPropertyDescriptor.h"

#include "foundation/VirtualFile.h"

#include <new>

namespace {

// Arrays of values keep their count in a header of this size in front of the first value.
constexpr size_t kArrayHeader = 16;
static_assert(kArrayHeader >= sizeof(uint32_t) && kArrayHeader % alignof(CLocalizableText) == 0 &&
              kArrayHeader % alignof(CSharedString) == 0);

} // namespace

CSharedStringPropertyDescriptor::CSharedStringPropertyDescriptor(const char* name, uint32_t offset, uint32_t size,
                                                                 uint32_t flags, const char* defaultText,
                                                                 Setter setter, bool localize)
    : CPropertyDescriptor(name, nullptr, offset, size, flags)
    , m_localize(localize ? 1 : 0)
    , m_default(defaultText)
    , m_setter(setter)
{
}

CPropertyDescriptor* CSharedStringPropertyDescriptor::Clone() const
{
    return new CSharedStringPropertyDescriptor(*this);
}

bool CSharedStringPropertyDescriptor::IsSimpleValue() const
{
    return true;
}

CSharedString& CSharedStringPropertyDescriptor::Text(CObject* object) const
{
    return *static_cast<CSharedString*>(MemberAddress(object));
}

CLocalizableText& CSharedStringPropertyDescriptor::Localizable(CObject* object) const
{
    return *static_cast<CLocalizableText*>(MemberAddress(object));
}

const CSharedString& CSharedStringPropertyDescriptor::GetText(const CObject* object) const
{
    const void* member = MemberAddress(object);
    if (m_localize)
        return static_cast<const CLocalizableText*>(member)->GetSourceText();
    return *static_cast<const CSharedString*>(member);
}

const CSharedString& CSharedStringPropertyDescriptor::GetDisplayText(const CObject* object) const
{
    const void* member = MemberAddress(object);
    if (m_localize)
        return static_cast<const CLocalizableText*>(member)->GetDisplayText();
    return *static_cast<const CSharedString*>(member);
}

void CSharedStringPropertyDescriptor::Assign(CObject* object, const CSharedString& text) const
{
    // A localisable value translates its new text as it takes it.
    if (m_localize)
        Localizable(object).SetSourceText(text);
    else
        Text(object) = text;
}

void CSharedStringPropertyDescriptor::CopyValue(CObject* destination, const CObject* source,
                                                const CPropertyDescriptor& sourceDescriptor) const
{
    const void* theirs = AddressAt(source, sourceDescriptor.GetOffset());
    const auto* sourceType = dynamic_cast<const CSharedStringPropertyDescriptor*>(&sourceDescriptor);
    bool sourceLocalized = sourceType ? sourceType->m_localize != 0 : m_localize != 0;
    CSharedString copy(sourceLocalized ? static_cast<const CLocalizableText*>(theirs)->GetSourceText()
                                       : *static_cast<const CSharedString*>(theirs));
    if (m_setter) {
        (destination->*m_setter)(copy);
        if (m_localize)
            Localizable(destination).Localize();
        return;
    }
    Assign(destination, copy);
}

void CSharedStringPropertyDescriptor::ConstructAt(void* value) const
{
    if (m_localize)
        new (value) CLocalizableText;
    else
        new (value) CSharedString;
}

void CSharedStringPropertyDescriptor::DestroyAt(void* value) const
{
    if (m_localize)
        static_cast<CLocalizableText*>(value)->~CLocalizableText();
    else
        static_cast<CSharedString*>(value)->~CSharedString();
}

void CSharedStringPropertyDescriptor::InitMember(CObject* object) const
{
    ConstructAt(MemberAddress(object));
}

void CSharedStringPropertyDescriptor::DestroyMember(CObject* object) const
{
    DestroyAt(MemberAddress(object));
}

void CSharedStringPropertyDescriptor::SetDefault(CObject* object) const
{
    Assign(object, m_default);
}

void CSharedStringPropertyDescriptor::FormatValue(const CObject* object, CSharedString& out) const
{
    out = GetText(object);
}

void CSharedStringPropertyDescriptor::ParseValue(CObject* object, const char* value, CObjectTextStream&) const
{
    Assign(object, CSharedString(value));
}

bool CSharedStringPropertyDescriptor::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    const CSharedString& text = GetText(object);
    return WriteCountedText(stream, text.CStr());
}

bool CSharedStringPropertyDescriptor::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    // A length beyond the rest of the stream is damage: the text stays as it was.
    CSharedString text;
    if (!ReadCountedText(stream, text, 0xFFFFFFFFu))
        return false;
    Assign(object, text);
    return true;
}

void* CSharedStringPropertyDescriptor::NewValueArray(uint32_t count) const
{
    size_t valueSize = GetValueSize();
    char* block = static_cast<char*>(::operator new(kArrayHeader + valueSize * count));
    *reinterpret_cast<uint32_t*>(block) = count;
    char* values = block + kArrayHeader;
    for (uint32_t i = 0; i < count; ++i)
        ConstructAt(values + valueSize * i);
    return values;
}

void CSharedStringPropertyDescriptor::DeleteValueArray(void* array) const
{
    if (!array)
        return;
    char* values = static_cast<char*>(array);
    char* block = values - kArrayHeader;
    uint32_t count = *reinterpret_cast<uint32_t*>(block);
    size_t valueSize = GetValueSize();
    for (uint32_t i = count; i-- > 0;)
        DestroyAt(values + valueSize * i);
    ::operator delete(block);
}

void CSharedStringPropertyDescriptor::SetDefaultText(const CSharedString& text)
{
    m_default = text;
}

void CSharedStringPropertyDescriptor::SetDefaultText(const char* text)
{
    m_default.AssignText(text);
}
