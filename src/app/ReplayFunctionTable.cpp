#include "app/ReplayFunctionTable.h"

#include "app/ReplayFunction.h"
#include "foundation/SmallBlockAllocator.h"

#include <algorithm>
#include <cstring>

CReplayFunctionTable::~CReplayFunctionTable()
{
    if (m_items)
        FreeSmallBlock(m_items, sizeof(CReplayFunction*) * m_capacity);
}

void CReplayFunctionTable::Add(CReplayFunction* function)
{
    if (m_count == m_capacity) {
        // Grows to the larger of the need and 1.2 times the old capacity.
        const uint32_t capacity = std::max(m_count + 1, m_capacity + m_capacity / 5);
        auto* items = static_cast<CReplayFunction**>(AllocSmallBlock(sizeof(CReplayFunction*) * capacity));
        if (m_items) {
            std::memcpy(items, m_items, sizeof(CReplayFunction*) * m_count);
            FreeSmallBlock(m_items, sizeof(CReplayFunction*) * m_capacity);
        }
        m_items = items;
        m_capacity = capacity;
    }
    m_items[m_count++] = function;
}

void CReplayFunctionTable::Remove(const CReplayFunction* function)
{
    const int index = IndexOf(function);
    if (index < 0)
        return;
    std::memmove(m_items + index, m_items + index + 1, sizeof(CReplayFunction*) * (m_count - 1 - index));
    --m_count;
}

int CReplayFunctionTable::IndexOf(const CReplayFunction* function) const
{
    for (uint32_t i = 0; i < m_count; ++i)
        if (m_items[i] == function)
            return static_cast<int>(i);
    return -1;
}

void CReplayFunctionTable::SortByName()
{
    // strcmp compares as unsigned characters: "CSprite::DrawFromStream" before "CSprite::drawFromStream".
    std::stable_sort(m_items, m_items + m_count, [](const CReplayFunction* a, const CReplayFunction* b) {
        return std::strcmp(a->GetName(), b->GetName()) < 0;
    });
}
