#include "objects/PropertyDescriptor.h"

#include "foundation/SmallBlockAllocator.h"
#include "foundation/VirtualFile.h"
#include "objects/Object.h"
#include "objects/ObjectTextStream.h"

#include <string>

CPropertyDescriptor::CPropertyDescriptor(const char* name, const char* units, uint32_t offset, uint32_t size, uint32_t flags)
    : m_offset(offset)
    , m_size(size)
    , m_flags(flags)
{
    m_units.AssignText(units);
    const char* slash = name ? std::strrchr(name, '/') : nullptr;
    if (slash) {
        m_category.AssignChars(name, static_cast<uint32_t>(slash - name));
        m_label.AssignText(slash + 1);
    } else {
        m_label.AssignText(name);
    }
}

CPropertyDescriptor::CPropertyDescriptor(const CPropertyDescriptor& other) = default;

CPropertyDescriptor::~CPropertyDescriptor() = default;

void CPropertyDescriptor::InitMember(CObject*) const
{
}

void CPropertyDescriptor::DestroyMember(CObject*) const
{
}

void CPropertyDescriptor::NotifyLoaded(CObject*, bool) const
{
}

bool CPropertyDescriptor::ShouldWrite(const CObject*) const
{
    return true;
}

void CPropertyDescriptor::WriteText(const CObject* object, CObjectTextStream& stream) const
{
    CSharedString text;
    FormatValue(object, text);
    stream.WriteLine(text.CStr());
}

uint32_t CPropertyDescriptor::GetBitMask() const
{
    return 0;
}

void CPropertyDescriptor::FixUpAfterLoad(CObject*) const
{
}

uint32_t CPropertyDescriptor::GetValueSize() const
{
    return m_size;
}

void* CPropertyDescriptor::AllocValue() const
{
    return AllocSmallBlock(m_size);
}

void CPropertyDescriptor::FreeValue(void* block) const
{
    if (block)
        FreeSmallBlock(block, m_size);
}

void* CPropertyDescriptor::NewValueArray(uint32_t count) const
{
    return new uint8_t[static_cast<size_t>(count) * GetValueSize()]();
}

void CPropertyDescriptor::DeleteValueArray(void* array) const
{
    delete[] static_cast<uint8_t*>(array);
}

void CPropertyDescriptor::CopyValueBytes(void* destination, const void* source) const
{
    std::memcpy(destination, source, GetValueSize());
}

void* CPropertyDescriptor::AddDynamicValue(CObject* object) const
{
    return object->AddDynamicValue(this);
}

bool CPropertyDescriptor::RemoveDynamicValue(CObject* object) const
{
    return object->RemoveDynamicValue(this);
}

bool CPropertyDescriptor::HasDynamicValue(const CObject* object) const
{
    return object->HasDynamicValue(this);
}

bool CPropertyDescriptor::WriteLittleEndian(CVirtualFile& stream, uint64_t value, uint32_t bytes)
{
    uint8_t buffer[8];
    for (uint32_t i = 0; i < bytes; ++i)
        buffer[i] = static_cast<uint8_t>(value >> (8 * i));
    return stream.Write(buffer, bytes) == bytes;
}

bool CPropertyDescriptor::ReadLittleEndian(CVirtualFile& stream, uint64_t& value, uint32_t bytes)
{
    uint8_t buffer[8];
    if (stream.Read(buffer, bytes) != bytes)
        return false;
    value = 0;
    for (uint32_t i = 0; i < bytes; ++i)
        value |= static_cast<uint64_t>(buffer[i]) << (8 * i);
    return true;
}

bool CPropertyDescriptor::WriteCountedText(CVirtualFile& stream, const char* text)
{
    uint32_t length = text ? static_cast<uint32_t>(std::strlen(text)) : 0;
    return WriteLittleEndian(stream, length, 4) && stream.Write(text, length) == length;
}

bool CPropertyDescriptor::ReadCountedText(CVirtualFile& stream, CSharedString& out, uint32_t maxLength)
{
    uint64_t length = 0;
    if (!ReadLittleEndian(stream, length, 4) || length > maxLength)
        return false;
    int32_t position = stream.GetPosition();
    uint32_t size = stream.GetSize();
    if (position < 0 || static_cast<uint32_t>(position) > size || length > size - static_cast<uint32_t>(position))
        return false;
    std::string text(static_cast<size_t>(length), '\0');
    if (stream.Read(text.data(), static_cast<uint32_t>(length)) != length)
        return false;
    out.AssignChars(text.data(), static_cast<uint32_t>(length));
    return true;
}
