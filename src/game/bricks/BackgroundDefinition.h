#pragma once
// The scenery of a round ("<name>.Background"), as far as round layouts need it today: an object
// that a layout names and the playfield is given. Its images, shadows, music and decoration
// sprite generators come with the backgrounds.
#include "objects/Object.h"

class CBackgroundDefinition : public CObject
{
    DECLARE_CLASS_RECORD(CBackgroundDefinition)
    CBackgroundDefinition() { InitOwnProperties(); }
    ~CBackgroundDefinition() override { DestroyOwnProperties(); }
};
