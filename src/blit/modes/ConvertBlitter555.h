#pragma once
// The screen blend mode of a 5-5-5 screen whose brightness is near normal: frames copied onto it
// are only converted to the 5-5-5 layout (green loses its lowest bit). The screen frame draws
// through g_convertBlitter555 in place of the copy blend mode; it has no name in the blit-type list.
#include "blit/Blitter.h"

class CConvertBlitter555 : public CBlitter
{
public:
    CConvertBlitter555();
    ~CConvertBlitter555() override;
};

extern CConvertBlitter555 g_convertBlitter555;
