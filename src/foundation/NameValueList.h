#pragma once
// A list of (name, integer) pairs found by name, ignoring case.
#include "foundation/PointerArray.h"
#include "foundation/SharedString.h"

struct CNameValuePair
{
    CSharedString m_name;
    int m_value;
};

class CNameValueList
{
public:
    CNameValueList() = default;
    // Deletes the pairs from the last to the first.
    ~CNameValueList();
    CNameValueList(const CNameValueList&) = delete;
    CNameValueList& operator=(const CNameValueList&) = delete;

    // Appends a new pair; returns its index.
    int Add(const CSharedString& name, int value);
    // The value of the first pair whose name equals the text ignoring case, or -1.
    int FindValue(const char* name) const;
    int FindValue(const CSharedString& name) const;

    int GetCount() const { return m_pairs.GetCount(); }
    const CNameValuePair& GetPair(int index) const { return *static_cast<const CNameValuePair*>(m_pairs.GetAt(index)); }

private:
    CPointerArray m_pairs;
};
