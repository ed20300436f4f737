#include "objects/PointProperty.h"

#include "foundation/VirtualFile.h"
#include "objects/NumberText.h"

#include <bit>
#include <charconv>
#include <type_traits>

namespace {

template <class Coordinate>
bool ScanCoordinate(const char*& text, Coordinate& out)
{
    if constexpr (std::is_same_v<Coordinate, float>) {
        double value = 0.0;
        if (!ScanFloat(text, value))
            return false;
        out = ClampToFloat(value);
    } else {
        int64_t value = 0;
        if (!ScanInteger(text, value))
            return false;
        out = ClampToInt32(value);
    }
    return true;
}

// "%f" with the C locale's decimal point, whatever the process locale is.
void AppendFixed(std::string& out, float value)
{
    char text[64];
    std::to_chars_result result = std::to_chars(text, text + sizeof(text), value, std::chars_format::fixed, 6);
    out.append(text, result.ptr);
}

} // namespace

template <class Point>
CPointProperty<Point>::CPointProperty(const char* name, uint32_t offset, uint32_t flags, const Point& defaultPoint,
                                      Setter setter)
    : CPropertyDescriptor(name, nullptr, offset, sizeof(Point), flags)
    , m_default(defaultPoint)
    , m_setter(setter)
{
}

template <class Point>
bool CPointProperty<Point>::IsSimpleValue() const
{
    return true;
}

template <class Point>
void CPointProperty<Point>::CopyValue(CObject* destination, const CObject* source,
                                      const CPropertyDescriptor& sourceDescriptor) const
{
    Point value = LoadAt<Point>(source, sourceDescriptor.GetOffset());
    if (m_setter)
        (destination->*m_setter)(value);
    else
        StoreMember(destination, value);
}

template <class Point>
void CPointProperty<Point>::SetDefault(CObject* object) const
{
    StoreMember(object, m_default);
}

template <class Point>
void CPointProperty<Point>::FormatValue(const CObject* object, CSharedString& out) const
{
    Point value = LoadMember<Point>(object);
    if constexpr (std::is_same_v<Point, CFloatPoint>) {
        std::string text;
        AppendFixed(text, value.m_x);
        text += ',';
        AppendFixed(text, value.m_y);
        out.AssignText(text.c_str());
    } else {
        out.Format("%d,%d", value.m_x, value.m_y);
    }
}

template <class Point>
Point CPointProperty<Point>::ParsePoint(const char* text)
{
    // As a scan of "x,y": the comma must follow the first number at once.
    Point point;
    if (!text || !ScanCoordinate(text, point.m_x))
        return point;
    if (*text == ',') {
        ++text;
        ScanCoordinate(text, point.m_y);
    }
    return point;
}

template <class Point>
void CPointProperty<Point>::ParseValue(CObject* object, const char* value, CObjectTextStream&) const
{
    StoreMember(object, ParsePoint(value));
}

template <class Point>
bool CPointProperty<Point>::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    Point value = LoadMember<Point>(object);
    return WriteLittleEndian(stream, std::bit_cast<uint32_t>(value.m_x), 4) &&
           WriteLittleEndian(stream, std::bit_cast<uint32_t>(value.m_y), 4);
}

template <class Point>
bool CPointProperty<Point>::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    using Coordinate = decltype(Point::m_x);
    uint64_t x = 0, y = 0;
    if (!ReadLittleEndian(stream, x, 4) || !ReadLittleEndian(stream, y, 4))
        return false;
    Point value;
    value.m_x = std::bit_cast<Coordinate>(static_cast<uint32_t>(x));
    value.m_y = std::bit_cast<Coordinate>(static_cast<uint32_t>(y));
    StoreMember(object, value);
    return true;
}

template class CPointProperty<CIntPoint>;
template class CPointProperty<CFloatPoint>;
