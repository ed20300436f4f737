#pragma once
// Text substitutions applied to message templates ("%name", "%score" and the like).
#include "foundation/SharedString.h"

class CTextSubstitutionList
{
public:
    CTextSubstitutionList() = default;
    ~CTextSubstitutionList();
    CTextSubstitutionList(const CTextSubstitutionList&) = delete;
    CTextSubstitutionList& operator=(const CTextSubstitutionList&) = delete;

    void AddSubstitution(const CSharedString& pattern, const CSharedString& replacement);
    void Reserve(int capacity);
    // A copy of the text in which, pair by pair in the order added, every occurrence of the
    // pattern is replaced. A later pair also acts on what earlier ones inserted.
    CSharedString Apply(const CSharedString& text) const;

    int GetCount() const { return m_count; }
    int GetCapacity() const { return m_capacity; }

private:
    struct Substitution
    {
        CSharedString m_pattern;
        CSharedString m_replacement;
    };

    Substitution* m_pairs = nullptr;
    int m_count = 0;
    int m_capacity = 0;
};
