#include "objects/FixedListChoiceProperty.h"

CFixedListChoiceProperty::CFixedListChoiceProperty(const char* name, uint32_t offset, CItemList* list, uint32_t flags,
                                                   const char* defaultName, Setter setter)
    : CListChoiceProperty(name, offset, flags, defaultName, setter)
    , m_list(list)
{
}

CPropertyDescriptor* CFixedListChoiceProperty::Clone() const
{
    return new CFixedListChoiceProperty(*this);
}

CItemList* CFixedListChoiceProperty::GetList(const CObject*) const
{
    return m_list;
}
