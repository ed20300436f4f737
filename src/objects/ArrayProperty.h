#pragma once
// A counted array of plain values, each described by an item descriptor whose member offset is 0
// inside one item (an object-pointer item descriptor gives an array of owned objects). The owner
// holds a u32 count, a pointer to the items and optionally a u32 capacity. Items may be labelled
// by an item-name list.
//
// Text form (after the label and "="): "Array", "{", without a name list "Item Count=%d", one
// line per item (its list name, or the item descriptor's label, "=" and the item's value), "}".
// Binary form: u32 count, then per item its counted name (with a name list) and its binary form.
//
// The array keeps the items it holds constructed (InitMember) and only those: its block is raw
// storage, from the small-block allocator when the storage flag is set, else from the heap.
// Arrays of objects stored by value are CObjectArrayProperty's business.
#include "objects/Object.h"
#include "objects/PropertyDescriptor.h"

#include <type_traits>

class CItemList;

class CArrayProperty : public CPropertyDescriptor
{
public:
    // capacity may be null (no capacity member): the block then always holds exactly count items.
    // The descriptor takes over itemDescriptor; itemNames is not owned.
    template <class Class, class Item>
    CArrayProperty(const char* name, uint32_t Class::*count, Item* Class::*items,
                   std::type_identity_t<uint32_t Class::*> capacity,
                   bool smallBlockStorage, CPropertyDescriptor* itemDescriptor, CItemList* itemNames, uint32_t flags)
        : CArrayProperty(name, MemberOffset(count), MemberOffset(items), capacity ? MemberOffset(capacity) : 0,
                         smallBlockStorage, itemDescriptor, itemNames, flags)
    {
    }
    // By offsets; a capacity offset of 0 means no capacity member.
    CArrayProperty(const char* name, uint32_t countOffset, uint32_t itemsOffset, uint32_t capacityOffset,
                   bool smallBlockStorage, CPropertyDescriptor* itemDescriptor, CItemList* itemNames, uint32_t flags);
    CArrayProperty(const CArrayProperty& other);
    ~CArrayProperty() override;

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

    // Bounds on the items a read may give this array: a count line or an item past perArray, or
    // items of every array of this property in one stream past perStream, stop the read (the
    // stream is then damaged). A binary count past perArray fails its read. No bounds by default.
    void LimitItems(uint32_t perArray, uint32_t perStream = kNoItemLimit);
    static constexpr uint32_t kNoItemLimit = 0xFFFFFFFFu;

    // Changes the count to n. Items are added or dropped at insertAt (-1: at the end); added items
    // are constructed and set to their defaults, dropped ones destroyed. With a capacity member and
    // without exact, the capacity doubles past the count on growth, and shrinks only when the count
    // falls below a sixteenth of a capacity above 20.
    void Resize(CObject* object, uint32_t n, int insertAt = -1, bool exact = false) const;

    uint32_t GetCount(const CObject* object) const { return LoadMember<uint32_t>(object); }
    uint32_t GetCapacity(const CObject* object) const;
    // Item i's value slot, to be passed to the item descriptor in place of an object.
    CObject* GetItem(const CObject* object, uint32_t i) const;
    const CPropertyDescriptor* GetItemDescriptor() const { return m_itemDescriptor; }
    CItemList* GetItemNames() const { return m_itemNames; }
    uint32_t GetItemSize() const { return m_itemSize; }

private:
    void ParseNamedItems(CObject* object, CObjectTextStream& stream) const;
    // Items in order, counted by "Item Count" or "Array Count" lines (the last one decides).
    void ParseListedItems(CObject* object, CObjectTextStream& stream) const;
    char* GetBlock(const CObject* object) const;
    void SetBlock(CObject* object, char* block) const;
    void SetCapacity(CObject* object, uint32_t capacity) const;
    char* AllocateBlock(uint32_t capacity) const;
    void FreeBlock(char* block, uint32_t capacity) const;
    void ConstructItem(char* item) const;
    void DestroyItem(char* item) const;
    void Empty(CObject* object) const;
    // The name item i is written under.
    const char* GetItemLabel(uint32_t i) const;
    void MoveItems(char* destination, const char* source, uint32_t n) const;

    uint32_t m_itemsOffset;
    uint32_t m_capacityOffset;
    uint8_t m_smallBlockStorage;
    CPropertyDescriptor* m_itemDescriptor;
    uint32_t m_itemSize;
    CItemList* m_itemNames;
    uint32_t m_maxItems = kNoItemLimit;
    uint32_t m_maxItemsPerStream = kNoItemLimit;
};
