#include "blit/modes/DarkenBlitter565.h"

CDarkenBlitter565 g_darkenBlitter565;

CDarkenBlitter565::CDarkenBlitter565() : CScreenLevelBlitter(ScreenLevelOp::Darken565)
{
}

CDarkenBlitter565::~CDarkenBlitter565() = default;
