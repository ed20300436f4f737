#include "blit/modes/DarkenBlitter555.h"

CDarkenBlitter555 g_darkenBlitter555;

CDarkenBlitter555::CDarkenBlitter555() : CScreenLevelBlitter(ScreenLevelOp::Darken555)
{
}

CDarkenBlitter555::~CDarkenBlitter555() = default;
