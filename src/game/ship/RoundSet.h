#pragma once
// A round set as the playfield needs it until the round sets arrive: its rounds (each the index of
// a round layout in the layout collection) and its checkpoints (round indices within the set), and
// the ordered list of every set. Content and tests fill the list with Add.
//
// The rule a caller must know: the list owns the sets; a set handed out lives until Clear.
#include <cstdint>
#include <memory>
#include <vector>

class CRoundSet
{
public:
    uint32_t GetRoundCount() const { return static_cast<uint32_t>(m_layouts.size()); }
    // The layout index of the round; 0 (none) past the last round.
    uint32_t GetLayoutIndex(uint32_t round) const { return round < m_layouts.size() ? m_layouts[round] : 0; }
    uint32_t GetCheckPointCount() const { return static_cast<uint32_t>(m_checkPoints.size()); }
    // The round index of the checkpoint; 0 past the last one.
    uint32_t GetCheckPoint(uint32_t i) const { return i < m_checkPoints.size() ? m_checkPoints[i] : 0; }

    std::vector<uint32_t> m_layouts;
    std::vector<uint32_t> m_checkPoints;
};

class CRoundSetCollection
{
public:
    static CRoundSetCollection& GetInstance();

    // Takes the set over and appends it.
    void Add(std::unique_ptr<CRoundSet> set) { m_sets.push_back(std::move(set)); }
    void Clear() { m_sets.clear(); }
    uint32_t GetCount() const { return static_cast<uint32_t>(m_sets.size()); }
    // Null past the last set.
    CRoundSet* GetSet(uint32_t i) const { return i < m_sets.size() ? m_sets[i].get() : nullptr; }

private:
    std::vector<std::unique_ptr<CRoundSet>> m_sets;
};
