#pragma once
// The descriptor of CObject's one reflected property, "Dynamic Properties": the object's set of
// dynamic property values, written as the number of values followed by a block of label=value
// lines, and in binary as a count and {counted label, value} pairs.
#include "objects/PropertyDescriptor.h"

class CDynamicProperties;

class CDynamicPropertiesProperty : public CPropertyDescriptor
{
public:
    // offset: where the object keeps its CDynamicProperties pointer.
    explicit CDynamicPropertiesProperty(uint32_t offset);

    CPropertyDescriptor* Clone() const override;
    bool IsSimpleValue() const override;
    void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const override;
    void InitMember(CObject* object) const override;
    void DestroyMember(CObject* object) const override;
    void SetDefault(CObject* object) const override;
    void NotifyLoaded(CObject* object, bool tracksReferences) const override;
    void FixUpAfterLoad(CObject* object) const override;
    void FormatValue(const CObject* object, CSharedString& out) const override;
    bool ShouldWrite(const CObject* object) const override;
    void WriteText(const CObject* object, CObjectTextStream& stream) const override;
    void ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const override;
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override;
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override;
    // The set cannot itself be the value of a dynamic property or an array element.
    void* NewValueArray(uint32_t count) const override;
    void DeleteValueArray(void* array) const override;

private:
    CDynamicProperties* GetSet(const CObject* object) const;
    void SetSet(CObject* object, CDynamicProperties* set) const;
};
