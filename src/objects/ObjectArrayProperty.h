#pragma once
// A counted array of objects of one class, stored contiguously in one array made by the class's
// create-array function. The owner holds a u32 count (the descriptor's member), the array pointer
// and optionally a u32 capacity. With an item-name list, item i stands for list item i and is
// written under that item's name.
//
// Text form (after the label and "="): "Array", "{", "Array Count=%u", one line per item (its
// list name, or "Array Item", "=", then the item's object block), "}". Binary form: u32 count,
// then per item its counted name (with a name list) and its binary object form.
#include "objects/Object.h"
#include "objects/PropertyDescriptor.h"

#include <type_traits>

class CItemList;

class CObjectArrayProperty : public CPropertyDescriptor
{
public:
    // capacity may be null (no capacity member). itemNames is not owned.
    template <class Class, class Item>
    CObjectArrayProperty(const char* name, uint32_t Class::*count, Item* Class::*items,
                         std::type_identity_t<uint32_t Class::*> capacity, CItemList* itemNames, uint32_t flags)
        : CObjectArrayProperty(name, MemberOffset(count), MemberOffset(items), capacity ? MemberOffset(capacity) : 0,
                               Item::GetStaticClassRecord(), itemNames, flags)
    {
        static_assert(std::is_base_of_v<CObject, Item>);
    }
    // By offsets; a capacity offset of 0 means no capacity member. itemClass must be creatable.
    CObjectArrayProperty(const char* name, uint32_t countOffset, uint32_t itemsOffset, uint32_t capacityOffset,
                         CClassRecord* itemClass, CItemList* itemNames, uint32_t flags);

    CPropertyDescriptor* Clone() const override;
    bool IsSimpleValue() const override;
    void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const override;
    void InitMember(CObject* object) const override;
    void DestroyMember(CObject* object) const override;
    void SetDefault(CObject* object) const override;
    void NotifyLoaded(CObject* object, bool tracksReferences) const override;
    void FormatValue(const CObject* object, CSharedString& out) const override;
    // With a closed stream the value is a decimal count; otherwise the "Array" block follows.
    void ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const override;
    void WriteText(const CObject* object, CObjectTextStream& stream) const override;
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override;
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override;
    void FixUpAfterLoad(CObject* object) const override;
    uint32_t GetValueSize() const override;
    // An object array cannot be the value of a dynamic property or an array item.
    void* NewValueArray(uint32_t count) const override;
    void DeleteValueArray(void* array) const override;

    // Changes the count to n. Items are added or dropped at insertAt (-1: at the end); added items
    // are set to their defaults. With a capacity member the array is reallocated only when n
    // exceeds the capacity, and then to twice n; without one, always to exactly n.
    void Resize(CObject* object, uint32_t n, int insertAt = -1) const;

    uint32_t GetCount(const CObject* object) const { return LoadMember<uint32_t>(object); }
    uint32_t GetCapacity(const CObject* object) const;
    CObject* GetItem(const CObject* object, uint32_t i) const;
    CClassRecord* GetItemClass() const { return m_itemClass; }
    CItemList* GetItemNames() const { return m_itemNames; }

private:
    void ParseNamedItems(CObject* object, CObjectTextStream& stream) const;
    // Items in order, counted by "Array Count" or "Item Count" lines.
    void ParseListedItems(CObject* object, CObjectTextStream& stream) const;
    CObject* GetArray(const CObject* object) const;
    void SetArray(CObject* object, CObject* array) const;
    void SetCapacity(CObject* object, uint32_t capacity) const;
    CObject* ItemOf(CObject* array, uint32_t i) const;
    // A new array of n items at their defaults; null for 0.
    CObject* NewArray(uint32_t n) const;
    // Deletes the array and stores a new one of n items (count and capacity n).
    void Replace(CObject* object, uint32_t n) const;
    const char* GetItemLabel(uint32_t i) const;

    uint32_t m_itemsOffset;
    uint32_t m_capacityOffset;
    CClassRecord* m_itemClass;
    uint32_t m_itemSize;
    CItemList* m_itemNames;
};
