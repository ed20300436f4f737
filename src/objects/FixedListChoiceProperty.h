#pragma once
// A choice among the items of a list given at construction (an enumeration table, a collection,
// the blit types).
#include "objects/ListChoiceProperty.h"

class CFixedListChoiceProperty : public CListChoiceProperty
{
public:
    template <class Class, class Member>
    CFixedListChoiceProperty(const char* name, Member Class::*member, CItemList* list, uint32_t flags,
                             const char* defaultName,
                             std::type_identity_t<void (Class::*)(uint32_t)> setter = nullptr)
        : CFixedListChoiceProperty(name, MemberOffset(member), list, flags, defaultName, static_cast<Setter>(setter))
    {
        static_assert(sizeof(Member) == 4 && (std::is_integral_v<Member> || std::is_enum_v<Member>));
    }
    CFixedListChoiceProperty(const char* name, uint32_t offset, CItemList* list, uint32_t flags,
                             const char* defaultName, Setter setter);

    CPropertyDescriptor* Clone() const override;
    CItemList* GetList(const CObject* object) const override;

private:
    CItemList* m_list;
};
