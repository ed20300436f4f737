#pragma once
// The index of an item chosen from a list, written as the item's name. A name that is not in the
// list ends the program with the "Fatal Not Found Error" report, which names the file and the
// property. Subtypes say which list the choices come from.
#include "objects/Object.h"
#include "objects/PropertyDescriptor.h"

#include <type_traits>

class CItemList;

class CListChoiceProperty : public CPropertyDescriptor
{
public:
    using Setter = void (CObject::*)(uint32_t);

    // defaultName may be null: the default is then index 0.
    CListChoiceProperty(const char* name, uint32_t offset, uint32_t flags, const char* defaultName, Setter setter);

    bool IsSimpleValue() const override;
    void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const override;
    void SetDefault(CObject* object) const override;
    void FormatValue(const CObject* object, CSharedString& out) const override;
    void ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const override;
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override;
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override;
    void FixUpAfterLoad(CObject* object) const override;

    // The list whose item names are the choices.
    virtual CItemList* GetList(const CObject* object) const = 0;

    uint32_t GetValue(const CObject* object) const { return LoadMember<uint32_t>(object); }
    // Chooses the named item, as a property line would.
    void ChooseByName(CObject* object, const char* itemName) const;

    // The longest item name the binary form carries.
    static constexpr uint32_t kMaxBinaryName = 255;

protected:
    void Store(CObject* object, uint32_t index) const;

private:
    Setter m_setter;
    CSharedString m_defaultName;
    bool m_hasDefaultName;
};
