#pragma once
// A set of numbered bits (the actions of a control set) that notes whether an assignment or a clear
// changed it.
#include <cstdint>
#include <vector>

class CBitSet
{
public:
    CBitSet() = default;
    explicit CBitSet(int bitCount) { Resize(bitCount); }

    void Resize(int bitCount);
    int GetBitCount() const { return m_bitCount; }

    bool Test(int bit) const;
    void Set(int bit, bool value = true);
    void Reset(int bit) { Set(bit, false); }

    // Takes the other set's bits; the changed flag is set when any word differs.
    CBitSet& Assign(const CBitSet& other);
    CBitSet& operator=(const CBitSet& other) { return Assign(other); }
    CBitSet(const CBitSet& other) = default;
    // Clears every bit; the changed flag is set when any was set.
    void Clear();

    bool IsChanged() const { return m_changed; }
    void ClearChanged() { m_changed = false; }
    bool IsEmpty() const;

private:
    std::vector<uint32_t> m_words;
    int m_bitCount = 0;
    bool m_changed = false;
};
