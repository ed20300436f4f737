#include "foundation/PointerArray.h"

#include "foundation/SmallBlockAllocator.h"

#include <cstring>

CPointerArray::~CPointerArray()
{
    Free(m_data, m_capacity);
}

void** CPointerArray::Allocate(int capacity) const
{
    const size_t bytes = static_cast<size_t>(capacity) * sizeof(void*);
    return static_cast<void**>(m_smallBlockStorage ? AllocSmallBlock(bytes) : ::operator new(bytes));
}

void CPointerArray::Free(void** data, int capacity) const
{
    if (!data)
        return;
    if (m_smallBlockStorage)
        FreeSmallBlock(data, static_cast<size_t>(capacity) * sizeof(void*));
    else
        ::operator delete(data);
}

int CPointerArray::Add(void* element)
{
    if (m_count + 1 > m_capacity) {
        const int capacity = GrowCapacity(m_count + 1, m_capacity);
        void** data = Allocate(capacity);
        if (m_count)
            std::memcpy(data, m_data, static_cast<size_t>(m_count) * sizeof(void*));
        Free(m_data, m_capacity);
        m_data = data;
        m_capacity = capacity;
    }
    m_data[m_count] = element;
    return m_count++;
}

void CPointerArray::RemoveAll()
{
    Free(m_data, m_capacity);
    m_data = nullptr;
    m_count = 0;
    m_capacity = 0;
}
