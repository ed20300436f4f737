#include "objects/PolygonProperty.h"

#include "objects/NumberText.h"
#include "objects/ObjectTextStream.h"

#include <charconv>
#include <cstring>
#include <new>
#include <string>

namespace {

// Arrays of polygons keep their count in a header of this size in front of the first one.
constexpr size_t kArrayHeader = 16;
static_assert(kArrayHeader % alignof(CPolygon2D) == 0);

// "%g" with the C locale's decimal point.
void AppendShortest(std::string& out, float value)
{
    char text[32];
    std::to_chars_result result = std::to_chars(text, text + sizeof(text), value, std::chars_format::general, 6);
    out.append(text, result.ptr);
}

// A scan of "%f, %f" at text: both numbers or nothing.
bool ScanPair(const char* text, float& x, float& y)
{
    double first = 0.0, second = 0.0;
    if (!ScanFloat(text, first) || *text != ',')
        return false;
    ++text;
    if (!ScanFloat(text, second))
        return false;
    x = ClampToFloat(first);
    y = ClampToFloat(second);
    return true;
}

} // namespace

CPolygonProperty::CPolygonProperty(const char* name, uint32_t offset, uint32_t flags,
                                   const CPolygon2D* defaultPolygon)
    : CPropertyDescriptor(name, nullptr, offset, sizeof(CPolygon2D), flags)
    , m_default(defaultPolygon ? new CPolygon2D(*defaultPolygon) : nullptr)
{
}

CPolygonProperty::CPolygonProperty(const CPolygonProperty& other)
    : CPropertyDescriptor(other)
    , m_default(other.m_default ? new CPolygon2D(*other.m_default) : nullptr)
{
}

CPolygonProperty::~CPolygonProperty()
{
    delete m_default;
}

CPropertyDescriptor* CPolygonProperty::Clone() const
{
    return new CPolygonProperty(*this);
}

bool CPolygonProperty::IsSimpleValue() const
{
    return false;
}

void CPolygonProperty::CopyValue(CObject* destination, const CObject* source,
                                 const CPropertyDescriptor& sourceDescriptor) const
{
    GetPolygon(destination) = *static_cast<const CPolygon2D*>(AddressAt(source, sourceDescriptor.GetOffset()));
}

void CPolygonProperty::InitMember(CObject* object) const
{
    new (MemberAddress(object)) CPolygon2D;
}

void CPolygonProperty::DestroyMember(CObject* object) const
{
    GetPolygon(object).Clear();
}

void CPolygonProperty::SetDefault(CObject* object) const
{
    CPolygon2D& polygon = GetPolygon(object);
    polygon.Clear();
    if (m_default)
        polygon = *m_default;
}

void CPolygonProperty::FormatValue(const CObject*, CSharedString& out) const
{
    out.Clear();
}

void CPolygonProperty::FormatPoints(const CPolygon2D& polygon, std::string& out)
{
    for (uint32_t i = 0; i < polygon.GetPointCount(); ++i) {
        if (i > 0)
            out += ", ";
        AppendShortest(out, polygon.GetPoint(i).m_x);
        out += ", ";
        AppendShortest(out, polygon.GetPoint(i).m_y);
    }
}

void CPolygonProperty::WriteText(const CObject* object, CObjectTextStream& stream) const
{
    std::string text;
    FormatPoints(GetPolygon(object), text);
    stream.WriteLine(text.c_str());
}

void CPolygonProperty::ParseValue(CObject* object, const char* value, CObjectTextStream&) const
{
    CPolygon2D& polygon = GetPolygon(object);
    if (m_default)
        polygon.Clear();
    if (!value)
        return;
    const char* text = value;
    float x = 0.0f, y = 0.0f;
    while (ScanPair(text, x, y)) {
        polygon.InsertPoint(x, y, UINT32_MAX);
        // The next pair begins after the comma inside this pair and the one after it.
        const char* comma = std::strchr(text, ',');
        if (!comma || !(comma = std::strchr(comma + 1, ',')))
            break;
        text = comma + 1;
    }
    // A lone point read from a text with an exponent letter is taken for no polygon.
    if (polygon.GetPointCount() == 1 && std::strchr(value, 'e'))
        polygon.Clear();
}

bool CPolygonProperty::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    return GetPolygon(object).WriteBinary(stream);
}

bool CPolygonProperty::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    return GetPolygon(object).ReadBinary(stream);
}

void* CPolygonProperty::NewValueArray(uint32_t count) const
{
    char* block = static_cast<char*>(::operator new(kArrayHeader + sizeof(CPolygon2D) * count));
    *reinterpret_cast<uint32_t*>(block) = count;
    char* values = block + kArrayHeader;
    for (uint32_t i = 0; i < count; ++i)
        new (values + sizeof(CPolygon2D) * i) CPolygon2D;
    return values;
}

void CPolygonProperty::DeleteValueArray(void* array) const
{
    if (!array)
        return;
    char* values = static_cast<char*>(array);
    char* block = values - kArrayHeader;
    const uint32_t count = *reinterpret_cast<uint32_t*>(block);
    for (uint32_t i = count; i-- > 0;)
        reinterpret_cast<CPolygon2D*>(values + sizeof(CPolygon2D) * i)->~CPolygon2D();
    ::operator delete(block);
}
