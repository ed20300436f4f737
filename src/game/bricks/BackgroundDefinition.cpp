#include "game/bricks/BackgroundDefinition.h"

IMPLEMENT_CLASS_RECORD(CBackgroundDefinition, CObject, 1.0f)
void CBackgroundDefinition::AddProperties(CClassRecord*) {}
