#pragma once
// A growable array of pointers, the base of the program's lists.
#include <cstdint>

// Growable arrays grow to the larger of the need and 1.2 times the old capacity (rounded down):
// from 0 the capacities run 1, 2, ..., 10, 12, 14, 16, 19, ...
inline int GrowCapacity(int needed, int capacity)
{
    const int64_t grown = static_cast<int64_t>(capacity) * 6 / 5;
    return grown > needed ? static_cast<int>(grown) : needed;
}

class CPointerArray
{
public:
    // With small-block storage the element array comes from the small-block allocator, else
    // from the heap.
    explicit CPointerArray(bool smallBlockStorage = false) : m_smallBlockStorage(smallBlockStorage) {}
    ~CPointerArray();
    CPointerArray(const CPointerArray&) = delete;
    CPointerArray& operator=(const CPointerArray&) = delete;

    // Appends and returns the new index.
    int Add(void* element);
    void* GetAt(int index) const { return m_data[index]; }
    void SetAt(int index, void* element) { m_data[index] = element; }
    int GetCount() const { return m_count; }
    int GetCapacity() const { return m_capacity; }
    void* const* GetData() const { return m_data; }
    // Forgets every element and frees the storage.
    void RemoveAll();

private:
    void** Allocate(int capacity) const;
    void Free(void** data, int capacity) const;

    void** m_data = nullptr;
    int m_count = 0;
    int m_capacity = 0;
    bool m_smallBlockStorage;
};
