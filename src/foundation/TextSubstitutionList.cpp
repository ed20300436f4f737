#include "foundation/TextSubstitutionList.h"

#include "foundation/PointerArray.h"

CTextSubstitutionList::~CTextSubstitutionList()
{
    delete[] m_pairs;
}

void CTextSubstitutionList::Reserve(int capacity)
{
    if (capacity <= m_capacity)
        return;
    Substitution* pairs = new Substitution[static_cast<size_t>(capacity)];
    for (int i = 0; i < m_count; ++i)
        pairs[i] = m_pairs[i]; // the strings are shared, not copied
    delete[] m_pairs;
    m_pairs = pairs;
    m_capacity = capacity;
}

void CTextSubstitutionList::AddSubstitution(const CSharedString& pattern, const CSharedString& replacement)
{
    if (m_count == m_capacity)
        Reserve(GrowCapacity(m_count + 1, m_capacity));
    m_pairs[m_count].m_pattern = pattern;
    m_pairs[m_count].m_replacement = replacement;
    ++m_count;
}

CSharedString CTextSubstitutionList::Apply(const CSharedString& text) const
{
    CSharedString result(text);
    for (int i = 0; i < m_count; ++i)
        result.ReplaceAll(m_pairs[i].m_pattern, m_pairs[i].m_replacement, 0);
    return result;
}
