#include "app/BitSet.h"

#include <cstddef>

void CBitSet::Resize(int bitCount)
{
    m_bitCount = bitCount > 0 ? bitCount : 0;
    m_words.assign(static_cast<size_t>((m_bitCount + 31) / 32), 0);
}

bool CBitSet::Test(int bit) const
{
    if (bit < 0 || bit >= m_bitCount)
        return false;
    return (m_words[static_cast<size_t>(bit / 32)] >> (bit % 32)) & 1u;
}

void CBitSet::Set(int bit, bool value)
{
    if (bit < 0 || bit >= m_bitCount)
        return;
    uint32_t& word = m_words[static_cast<size_t>(bit / 32)];
    const uint32_t mask = 1u << (bit % 32);
    word = value ? (word | mask) : (word & ~mask);
}

CBitSet& CBitSet::Assign(const CBitSet& other)
{
    if (this == &other)
        return *this;
    if (m_words != other.m_words)
        m_changed = true;
    m_words = other.m_words;
    m_bitCount = other.m_bitCount;
    return *this;
}

void CBitSet::Clear()
{
    for (uint32_t& word : m_words) {
        if (word)
            m_changed = true;
        word = 0;
    }
}

bool CBitSet::IsEmpty() const
{
    for (uint32_t word : m_words)
        if (word)
            return false;
    return true;
}
