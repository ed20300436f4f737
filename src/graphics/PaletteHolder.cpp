#include "graphics/PaletteHolder.h"

IMPLEMENT_CLASS_RECORD(CPaletteHolder, CObject, 1.0f)

void CPaletteHolder::AddProperties(CClassRecord*)
{
}

CPaletteHolder::CPaletteHolder()
{
    InitOwnProperties();
}

CPaletteHolder::~CPaletteHolder()
{
    DestroyOwnProperties();
}

void CPaletteHolder::CopyPropertiesFrom(const CObject* other)
{
    CObject::CopyPropertiesFrom(other);
    if (other && other != this && other->IsKindOf(GetStaticClassRecord()))
        m_table.CopyFrom(static_cast<const CPaletteHolder*>(other)->m_table);
}
