#pragma once
// A colour (CColor) with a default colour and an optional setter. Text "red,green,blue", or with
// the alpha flag "red,green,blue,alpha"; binary 3 bytes blue, green, red, or 4 with alpha. Without
// the alpha flag, or when the text gives no alpha, a colour read is opaque. Reading sets the colour
// through CColor::Set (so its display pixel follows) without the setter; copying uses the setter.
#include "graphics/Color.h"
#include "objects/Object.h"
#include "objects/PropertyDescriptor.h"

#include <type_traits>

class CColorProperty : public CPropertyDescriptor
{
public:
    using Setter = void (CObject::*)(const CColor&);

    template <class Class>
    CColorProperty(const char* name, CColor Class::*member, uint32_t flags, const CColor& defaultColor = CColor(),
                   std::type_identity_t<void (Class::*)(const CColor&)> setter = nullptr)
        : CColorProperty(name, MemberOffset(member), flags, defaultColor, static_cast<Setter>(setter))
    {
    }
    // The default colour given as four components, each 0-255.
    template <class Class>
    static CColorProperty* ConstructFromComponents(const char* name, CColor Class::*member, uint32_t flags,
                                                   uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha,
                                                   std::type_identity_t<void (Class::*)(const CColor&)> setter = nullptr)
    {
        CColor color;
        color.ConstructRgba(red, green, blue, alpha);
        return new CColorProperty(name, MemberOffset(member), flags, color, static_cast<Setter>(setter));
    }
    CColorProperty(const char* name, uint32_t offset, uint32_t flags, const CColor& defaultColor, Setter setter);

    CPropertyDescriptor* Clone() const override;
    bool IsSimpleValue() const override;
    void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const override;
    void SetDefault(CObject* object) const override;
    void FormatValue(const CObject* object, CSharedString& out) const override;
    // Components are clamped to 0-255; those the text does not give are 0 (alpha 255).
    void ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const override;
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override;
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override;

    // Selects the four-component text and binary forms.
    void SetHasAlpha(bool hasAlpha) { m_hasAlpha = hasAlpha ? 1 : 0; }
    bool HasAlpha() const { return m_hasAlpha != 0; }
    const CColor& GetDefault() const { return m_default; }
    const CColor& GetValue(const CObject* object) const
    {
        return *static_cast<const CColor*>(MemberAddress(object));
    }

private:
    CColor& Value(CObject* object) const { return *static_cast<CColor*>(MemberAddress(object)); }

    CColor m_default;
    Setter m_setter;
    uint8_t m_hasAlpha = 0;
};
