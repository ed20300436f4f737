#pragma once
// The common part of the two point property types: a member of two coordinates, x then y, with a
// default point (0, 0 unless given) and an optional setter. Text "x,y"; binary the 8 bytes of the
// member, little-endian, x first. Reading text stores directly; copying goes through the setter.
#include "objects/Object.h"
#include "objects/Point.h"
#include "objects/PropertyDescriptor.h"

template <class Point>
class CPointProperty : public CPropertyDescriptor
{
public:
    using Setter = void (CObject::*)(const Point&);

    CPointProperty(const char* name, uint32_t offset, uint32_t flags, const Point& defaultPoint, Setter setter);

    bool IsSimpleValue() const override;
    void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const override;
    void SetDefault(CObject* object) const override;
    void FormatValue(const CObject* object, CSharedString& out) const override;
    // Coordinates the text does not supply are stored as 0.
    void ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const override;
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override;
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override;

    Point GetValue(const CObject* object) const { return LoadMember<Point>(object); }
    const Point& GetDefault() const { return m_default; }

    // The point the text gives ("x,y"); a missing coordinate is 0.
    static Point ParsePoint(const char* text);

protected:
    // The offset of a member that holds a point (of this type, or another of two coordinates).
    template <class Class, class Member>
    static uint32_t PointOffset(Member Class::*member)
    {
        static_assert(sizeof(Member) == sizeof(Point));
        return MemberOffset(member);
    }
    template <class Class>
    static Setter ToSetter(void (Class::*setter)(const Point&))
    {
        return static_cast<Setter>(setter);
    }

private:
    Point m_default;
    Setter m_setter;
};

extern template class CPointProperty<CIntPoint>;
extern template class CPointProperty<CFloatPoint>;
