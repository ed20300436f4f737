#pragma once
// The values of the dynamic properties one object has: pairs of {descriptor, value slot} in order
// of addition. A slot is a block of the descriptor's value size, initialised by the descriptor.
#include <cstdint>
#include <vector>

class CClassRecord;
class CPropertyDescriptor;

class CDynamicProperties
{
public:
    CDynamicProperties() = default;
    ~CDynamicProperties();
    CDynamicProperties(const CDynamicProperties&) = delete;
    CDynamicProperties& operator=(const CDynamicProperties&) = delete;

    // The descriptor's slot, or null.
    void* Find(const CPropertyDescriptor* descriptor) const;
    // The existing slot, or a new one.
    void* GetOrAdd(const CPropertyDescriptor* descriptor);
    // A new slot; null when the descriptor already has one.
    void* Add(const CPropertyDescriptor* descriptor);
    bool Remove(const CPropertyDescriptor* descriptor);
    // Replaces every pair by fresh slots holding copies of other's values.
    void CopyFrom(const CDynamicProperties& other);
    void NotifyLoaded(bool tracksReferences);
    void FixUpAfterLoad();

    uint32_t GetCount() const { return static_cast<uint32_t>(m_pairs.size()); }
    const CPropertyDescriptor* GetDescriptor(uint32_t i) const { return m_pairs[i].m_descriptor; }
    void* GetSlot(uint32_t i) const { return m_pairs[i].m_slot; }

private:
    struct Pair
    {
        const CPropertyDescriptor* m_descriptor;
        void* m_slot;
    };

    void* AppendPair(const CPropertyDescriptor* descriptor);
    void DestroyAll();

    std::vector<Pair> m_pairs;
};

// Adds a dynamic property to a class and every class derived from it, from the static initialisers.
class CDynamicPropertyRegistrar
{
public:
    CDynamicPropertyRegistrar(CPropertyDescriptor* descriptor, CClassRecord* record, const char* helpText = nullptr);
};
