#pragma once
// A growable array of plain values that grows by a fifth when full (at least by one), so long
// lists of bricks' path points or particles do not double their memory at every growth.
//
// The rule a caller must know: items are trivially copyable; appending may move them, so a
// pointer into the array is valid only until the next Append.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

template <class T>
class CGrowableArray
{
    static_assert(std::is_trivially_copyable_v<T>);

public:
    CGrowableArray() = default;
    ~CGrowableArray() { Clear(); }
    CGrowableArray(const CGrowableArray&) = delete;
    CGrowableArray& operator=(const CGrowableArray&) = delete;

    // When full the capacity becomes max(count + 1, trunc(capacity x 1.2)).
    void Append(const T& item)
    {
        if (m_count == m_capacity) {
            const uint64_t grown = static_cast<uint64_t>(m_capacity) * 6 / 5;
            Reserve(grown > m_count ? static_cast<uint32_t>(grown) : m_count + 1);
        }
        m_items[m_count++] = item;
    }
    // Frees the block: count and capacity 0.
    void Clear()
    {
        std::free(m_items);
        m_items = nullptr;
        m_count = 0;
        m_capacity = 0;
    }

    uint32_t GetCount() const { return m_count; }
    uint32_t GetCapacity() const { return m_capacity; }
    T& operator[](uint32_t i) { return m_items[i]; }
    const T& operator[](uint32_t i) const { return m_items[i]; }

private:
    void Reserve(uint32_t capacity)
    {
        auto* items = static_cast<T*>(std::malloc(sizeof(T) * capacity));
        if (!items)
            throw std::bad_alloc();
        if (m_count)
            std::memcpy(items, m_items, sizeof(T) * m_count);
        std::free(m_items);
        m_items = items;
        m_capacity = capacity;
    }

    T* m_items = nullptr;
    uint32_t m_count = 0;
    uint32_t m_capacity = 0;
};
