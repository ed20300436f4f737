#pragma once
// A collision polygon held by value (CPolygon2D), with an optional default polygon. Text: the
// points as "x, y" pairs separated by ", " on the property's line; without a default polygon the
// points read are appended to those already held. Binary: the "POLY2D" record.
#include "objects/Object.h"
#include "objects/Polygon2D.h"
#include "objects/PropertyDescriptor.h"

#include <string>

class CPolygonProperty : public CPropertyDescriptor
{
public:
    // defaultPolygon may be null (no default); the descriptor keeps a copy of it.
    template <class Class>
    CPolygonProperty(const char* name, CPolygon2D Class::*member, uint32_t flags,
                     const CPolygon2D* defaultPolygon = nullptr)
        : CPolygonProperty(name, MemberOffset(member), flags, defaultPolygon)
    {
    }
    CPolygonProperty(const char* name, uint32_t offset, uint32_t flags, const CPolygon2D* defaultPolygon);
    CPolygonProperty(const CPolygonProperty& other);
    ~CPolygonProperty() override;

    CPropertyDescriptor* Clone() const override;
    bool IsSimpleValue() const override;
    void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const override;
    void InitMember(CObject* object) const override;
    // Frees the points; the member stays a valid empty polygon.
    void DestroyMember(CObject* object) const override;
    void SetDefault(CObject* object) const override;
    // Nothing: the points are written by WriteText.
    void FormatValue(const CObject* object, CSharedString& out) const override;
    void ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const override;
    void WriteText(const CObject* object, CObjectTextStream& stream) const override;
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override;
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override;
    // count constructed polygons, the count kept in front of them.
    void* NewValueArray(uint32_t count) const override;
    void DeleteValueArray(void* array) const override;

    const CPolygon2D* GetDefaultPolygon() const { return m_default; }
    CPolygon2D& GetPolygon(CObject* object) const { return *static_cast<CPolygon2D*>(MemberAddress(object)); }
    const CPolygon2D& GetPolygon(const CObject* object) const
    {
        return *static_cast<const CPolygon2D*>(MemberAddress(object));
    }

    // The text form of the polygon's points.
    static void FormatPoints(const CPolygon2D& polygon, std::string& out);

private:
    CPolygon2D* m_default;
};
