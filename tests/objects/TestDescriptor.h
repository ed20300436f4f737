#pragma once
// A plain 32-bit descriptor for tests of the object model itself: stores its default, copies and
// formats the member, and counts how often members are constructed and destroyed.
#include "objects/Object.h"
#include "objects/PropertyDescriptor.h"

#include <cstdlib>
#include <cstring>

class CTestDescriptor : public CPropertyDescriptor
{
public:
    template <class Class>
    CTestDescriptor(const char* name, int32_t Class::*member, int32_t defaultValue, uint32_t flags = 0)
        : CPropertyDescriptor(name, nullptr, MemberOffset(member), 4, flags)
        , m_default(defaultValue)
    {
    }
    CTestDescriptor(const char* name, uint32_t offset, int32_t defaultValue)
        : CPropertyDescriptor(name, nullptr, offset, 4, 0)
        , m_default(defaultValue)
    {
    }

    CPropertyDescriptor* Clone() const override { return new CTestDescriptor(*this); }
    bool IsSimpleValue() const override { return true; }
    void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const override
    {
        std::memcpy(MemberAddress(destination), reinterpret_cast<const char*>(source) + sourceDescriptor.GetOffset(), 4);
    }
    void InitMember(CObject* object) const override
    {
        ++s_initCount;
        StoreMember<int32_t>(object, -1);
    }
    void DestroyMember(CObject*) const override { ++s_destroyCount; }
    void SetDefault(CObject* object) const override { StoreMember(object, m_default); }
    void FormatValue(const CObject* object, CSharedString& out) const override
    {
        out.Format("%d", LoadMember<int32_t>(object));
    }
    void ParseValue(CObject* object, const char* value, CObjectTextStream&) const override
    {
        StoreMember<int32_t>(object, static_cast<int32_t>(std::atoi(value)));
    }
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override
    {
        return WriteLittleEndian(stream, static_cast<uint32_t>(LoadMember<int32_t>(object)), 4);
    }
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override
    {
        uint64_t value = 0;
        if (!ReadLittleEndian(stream, value, 4))
            return false;
        StoreMember(object, static_cast<int32_t>(static_cast<uint32_t>(value)));
        return true;
    }

    static inline int s_initCount = 0;
    static inline int s_destroyCount = 0;

private:
    int32_t m_default;
};
