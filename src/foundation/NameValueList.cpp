#include "foundation/NameValueList.h"

CNameValueList::~CNameValueList()
{
    for (int i = m_pairs.GetCount(); i-- > 0;)
        delete static_cast<CNameValuePair*>(m_pairs.GetAt(i));
}

int CNameValueList::Add(const CSharedString& name, int value)
{
    return m_pairs.Add(new CNameValuePair{name, value});
}

int CNameValueList::FindValue(const char* name) const
{
    for (int i = 0; i < m_pairs.GetCount(); ++i) {
        const CNameValuePair& pair = GetPair(i);
        if (pair.m_name.CompareNoCaseCStr(name) == 0)
            return pair.m_value;
    }
    return -1;
}

int CNameValueList::FindValue(const CSharedString& name) const
{
    for (int i = 0; i < m_pairs.GetCount(); ++i) {
        const CNameValuePair& pair = GetPair(i);
        if (pair.m_name.CompareNoCase(name) == 0)
            return pair.m_value;
    }
    return -1;
}
