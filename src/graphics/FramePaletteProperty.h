#pragma once
// The frame's dynamic property "Palette": an owned pointer to a CPaletteHolder, null when the frame
// has no palette storage. Its text form is the holder's class name after the label, followed by
// the holder's block; its binary form is the class name as a counted string.
#include "objects/PropertyDescriptor.h"

class CPaletteHolder;

class CFramePaletteProperty : public CPropertyDescriptor
{
public:
    explicit CFramePaletteProperty(const char* name);

    CPropertyDescriptor* Clone() const override;
    bool IsSimpleValue() const override;
    void CopyValue(CObject* destination, const CObject* source,
                   const CPropertyDescriptor& sourceDescriptor) const override;
    void InitMember(CObject* object) const override;
    void DestroyMember(CObject* object) const override;
    void SetDefault(CObject* object) const override;
    void FormatValue(const CObject* object, CSharedString& out) const override;
    void WriteText(const CObject* object, CObjectTextStream& stream) const override;
    void ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const override;
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override;
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override;

    CPaletteHolder* GetHolder(const CObject* object) const;
    // Replaces the held holder (the old one is deleted).
    void SetHolder(CObject* object, CPaletteHolder* holder) const;
};
