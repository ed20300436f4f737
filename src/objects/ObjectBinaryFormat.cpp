// CObject's side of the binary object form, used inside binary files such as sequence and font
// caches. Every stream of the program is opened with object-reference tracking off, so objects
// carry no identifiers; the reader still recognises the older header that was followed by one.
#include "foundation/VirtualFile.h"
#include "objects/Object.h"
#include "objects/PropertyDescriptor.h"

#include <bit>

namespace {

// The header of the older form, followed by an object identifier.
constexpr float kIdentifiedHeader = 24.0f;
// Headers below this are no object at all.
constexpr float kLowestHeader = 4.0f;

bool WriteU32(CVirtualFile& stream, uint32_t value)
{
    return CPropertyDescriptor::WriteLittleEndian(stream, value, 4);
}

bool ReadFloat(CVirtualFile& stream, float& value)
{
    uint64_t bits = 0;
    if (!CPropertyDescriptor::ReadLittleEndian(stream, bits, 4))
        return false;
    value = std::bit_cast<float>(static_cast<uint32_t>(bits));
    return true;
}

} // namespace

bool CObject::WriteBinary(CVirtualFile& stream) const
{
    const CClassRecord* record = GetClassRecord();
    if (!WriteU32(stream, kBinaryHeader) || !WriteU32(stream, std::bit_cast<uint32_t>(record->GetVersion())))
        return false;
    for (uint32_t i = 0; i < record->GetPropertyCount(); ++i)
        if (!record->GetProperty(i)->WriteBinary(this, stream))
            return false;
    return WriteCustomBinary(stream);
}

bool CObject::ReadBinary(CVirtualFile& stream)
{
    float header = 0.0f;
    if (!ReadFloat(stream, header))
        return false;
    if (header == kIdentifiedHeader) {
        uint64_t identifier = 0;
        if (!CPropertyDescriptor::ReadLittleEndian(stream, identifier, 4))
            return false;
        header = 25.0f;
    } else if (!(header >= kLowestHeader)) {
        return false;
    }

    float version = 0.0f;
    if (!ReadFloat(stream, version))
        return false;
    const CClassRecord* record = GetClassRecord();
    // Data of another shape of the class (its version follows its property list) is stale.
    if (header != std::bit_cast<float>(kBinaryHeader) || version != record->GetVersion())
        return false;

    for (uint32_t i = 0; i < record->GetPropertyCount(); ++i)
        if (!record->GetProperty(i)->ReadBinary(this, stream))
            return false;
    return ReadCustomBinary(stream);
}
