#include "blit/modes/ConvertBlitter555.h"

#include "blit/modes/ScreenLevelBlitter.h"

CConvertBlitter555 g_convertBlitter555;

CConvertBlitter555::CConvertBlitter555()
{
    RegisterScreenLevelRoutines(*this, ScreenLevelOp::Convert555);
}

CConvertBlitter555::~CConvertBlitter555() = default;
