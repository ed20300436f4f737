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
