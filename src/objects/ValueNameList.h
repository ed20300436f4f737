#pragma once
// Small growable lists of {name, value} items that give names to particular values of numeric
// properties ("Normal" instead of a number). They are item lists, so the generic searches work on
// them; for a repeated name or value the first item wins.
#include "objects/ItemList.h"

#include <vector>

template <class T>
class CValueNameListOf : public CItemList
{
public:
    struct Item
    {
        CSharedString m_name;
        T m_value;
    };

    CValueNameListOf() = default;
    CValueNameListOf(const CValueNameListOf& other);
    CValueNameListOf& operator=(const CValueNameListOf&) = delete;
    ~CValueNameListOf() override;

    const char* GetItemName(uint32_t i) const override;
    void GetItemNameString(CSharedString& out, uint32_t i) const override;
    uint32_t GetCount() const override;

    // The first item with that value, or -1.
    int FindIndexByValue(T value) const;
    T GetValue(uint32_t i) const { return m_items[i]->m_value; }
    void SetValue(uint32_t i, T value) { m_items[i]->m_value = value; }
    const Item* GetItem(uint32_t i) const { return i < m_items.size() ? m_items[i] : nullptr; }

    // Appends an item with value 0; answers its index.
    int AddItemByName(const CSharedString& name) override;
    int AddItemByName(const char* name) override;
    // Appends an item; answers its index.
    int Add(const char* name, T value);
    void RemoveItem(uint32_t i) override;
    // Deletes every item, last first.
    void Clear() override;
    void SwapItems(uint32_t i, uint32_t j);

private:
    std::vector<Item*> m_items;
};

// Names of unsigned 32-bit values.
class CValueNameList : public CValueNameListOf<uint32_t>
{
public:
    CValueNameList() = default;
    CValueNameList(const CValueNameList& other) = default;
    // The same as FindIndexByValue.
    int FindValue(uint32_t value) const { return FindIndexByValue(value); }
};

// The variant that unsigned properties create for their value names.
class CStringList : public CValueNameList
{
public:
    CStringList() = default;
    CStringList(const CStringList& other) = default;
};

class CFloatValueList : public CValueNameListOf<float>
{
public:
    CFloatValueList() = default;
    CFloatValueList(const CFloatValueList& other) = default;
};

class CInt64ValueList : public CValueNameListOf<int64_t>
{
public:
    CInt64ValueList() = default;
    CInt64ValueList(const CInt64ValueList& other) = default;
};

extern template class CValueNameListOf<uint32_t>;
extern template class CValueNameListOf<float>;
extern template class CValueNameListOf<int64_t>;
