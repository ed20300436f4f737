#pragma once
// A text held in a CSharedString member, or, when localisable, in a CLocalizableText member whose
// displayed text is the translation of the text read. Written as the text itself; in binary as a
// counted string.
#include "foundation/LocalizedString.h"
#include "objects/Object.h"
#include "objects/PropertyDescriptor.h"

#include <type_traits>

class CSharedStringPropertyDescriptor : public CPropertyDescriptor
{
public:
    using Setter = void (CObject::*)(const CSharedString&);

    template <class Class>
    CSharedStringPropertyDescriptor(const char* name, CSharedString Class::*member, uint32_t flags,
                                    const char* defaultText,
                                    std::type_identity_t<void (Class::*)(const CSharedString&)> setter = nullptr)
        : CSharedStringPropertyDescriptor(name, MemberOffset(member), sizeof(CSharedString), flags, defaultText,
                                          static_cast<Setter>(setter), false)
    {
    }
    // A member whose displayed text is translated through the localisation table.
    template <class Class>
    static CSharedStringPropertyDescriptor* ConstructLocalizable(
        const char* name, CLocalizableText Class::*member, uint32_t flags, const char* defaultText,
        std::type_identity_t<void (Class::*)(const CSharedString&)> setter = nullptr)
    {
        return new CSharedStringPropertyDescriptor(name, MemberOffset(member), sizeof(CLocalizableText), flags,
                                                   defaultText, static_cast<Setter>(setter), true);
    }
    // By offset, for values that are not members of a class (dynamic properties use offset 0).
    CSharedStringPropertyDescriptor(const char* name, uint32_t offset, uint32_t size, uint32_t flags,
                                    const char* defaultText, Setter setter, bool localize);

    CPropertyDescriptor* Clone() const override;
    bool IsSimpleValue() const override;
    void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const override;
    void InitMember(CObject* object) const override;
    void DestroyMember(CObject* object) const override;
    void SetDefault(CObject* object) const override;
    void FormatValue(const CObject* object, CSharedString& out) const override;
    void ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const override;
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override;
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override;
    // count constructed strings (or localisable texts), the count kept in front of them.
    void* NewValueArray(uint32_t count) const override;
    void DeleteValueArray(void* array) const override;

    virtual void SetDefaultText(const CSharedString& text);
    virtual void SetDefaultText(const char* text);

    bool IsLocalizable() const { return m_localize != 0; }
    const CSharedString& GetDefaultText() const { return m_default; }
    // The text as read (the source text of a localisable value).
    const CSharedString& GetText(const CObject* object) const;
    // The text shown: the translation of a localisable value, else the text itself.
    const CSharedString& GetDisplayText(const CObject* object) const;

private:
    CSharedString& Text(CObject* object) const;
    CLocalizableText& Localizable(CObject* object) const;
    void Assign(CObject* object, const CSharedString& text) const;
    void ConstructAt(void* value) const;
    void DestroyAt(void* value) const;

    uint8_t m_localize;
    CSharedString m_default;
    Setter m_setter;
};
