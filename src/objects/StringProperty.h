#pragma once
// A text held as a heap character string (null when unset), written as the text itself (null as
// the empty text) and in binary as a counted string. The strings are malloc'd and freed with free.
#include "objects/Object.h"
#include "objects/PropertyDescriptor.h"

#include <string>
#include <type_traits>

class CStringProperty : public CPropertyDescriptor
{
public:
    // The setter receives the new text (null for none) and keeps a copy of its own.
    using Setter = void (CObject::*)(const char*);

    template <class Class>
    CStringProperty(const char* name, char* Class::*member, uint32_t flags, const char* defaultText,
                    std::type_identity_t<void (Class::*)(const char*)> setter = nullptr)
        : CStringProperty(name, MemberOffset(member), sizeof(char*), flags, defaultText, static_cast<Setter>(setter))
    {
    }
    // By offset, for values that are not members of a class (dynamic properties use offset 0).
    CStringProperty(const char* name, uint32_t offset, uint32_t size, uint32_t flags, const char* defaultText,
                    Setter setter);

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

    // defaultText may be null: the default is then no text.
    virtual void SetDefaultText(const char* text);

    const char* GetValue(const CObject* object) const { return LoadMember<const char*>(object); }
    const char* GetDefaultText() const { return m_hasDefault ? m_default.c_str() : nullptr; }

    // A malloc'd copy of text; null for null.
    static char* CopyText(const char* text);

private:
    // Through the setter, or by replacing the stored copy.
    void Store(CObject* object, const char* text) const;

    std::string m_default;
    bool m_hasDefault;
    Setter m_setter;
};
