#include "graphics/ColorProperty.h"

#include "foundation/VirtualFile.h"
#include "objects/NumberText.h"

#include <algorithm>

CColorProperty::CColorProperty(const char* name, uint32_t offset, uint32_t flags, const CColor& defaultColor,
                               Setter setter)
    : CPropertyDescriptor(name, nullptr, offset, sizeof(CColor), flags)
    , m_default(defaultColor)
    , m_setter(setter)
{
}

CPropertyDescriptor* CColorProperty::Clone() const
{
    return new CColorProperty(*this);
}

bool CColorProperty::IsSimpleValue() const
{
    return true;
}

void CColorProperty::CopyValue(CObject* destination, const CObject* source,
                               const CPropertyDescriptor& sourceDescriptor) const
{
    const CColor& theirs = *static_cast<const CColor*>(AddressAt(source, sourceDescriptor.GetOffset()));
    if (m_setter)
        (destination->*m_setter)(theirs);
    else
        Value(destination) = theirs;
}

void CColorProperty::SetDefault(CObject* object) const
{
    Value(object) = m_default;
}

void CColorProperty::FormatValue(const CObject* object, CSharedString& out) const
{
    const CColor& color = GetValue(object);
    if (m_hasAlpha)
        out.Format("%d,%d,%d,%d", color.GetRed(), color.GetGreen(), color.GetBlue(), color.GetAlpha());
    else
        out.Format("%d,%d,%d", color.GetRed(), color.GetGreen(), color.GetBlue());
}

void CColorProperty::ParseValue(CObject* object, const char* value, CObjectTextStream&) const
{
    // As a scan of "r,g,b" or "r,g,b,a": each comma must follow its number at once.
    int64_t components[4] = {0, 0, 0, 255};
    const int wanted = m_hasAlpha ? 4 : 3;
    const char* text = value;
    for (int i = 0; i < wanted && text; ++i) {
        if (i > 0) {
            if (*text != ',')
                break;
            ++text;
        }
        if (!ScanInteger(text, components[i]))
            break;
    }
    auto component = [&](int i) { return static_cast<uint8_t>(std::clamp<int64_t>(components[i], 0, 255)); };
    Value(object).Set(component(0), component(1), component(2), component(3));
}

bool CColorProperty::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    const CColor& color = GetValue(object);
    const uint8_t bytes[4] = {color.GetBlue(), color.GetGreen(), color.GetRed(), color.GetAlpha()};
    const uint32_t size = m_hasAlpha ? 4 : 3;
    return stream.Write(bytes, size) == size;
}

bool CColorProperty::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    uint8_t bytes[4] = {0, 0, 0, 255};
    const uint32_t size = m_hasAlpha ? 4 : 3;
    if (stream.Read(bytes, size) != size)
        return false;
    Value(object).Set(bytes[2], bytes[1], bytes[0], bytes[3]);
    return true;
}
