#pragma once
// Where one frame of a sequence lies in the strip image of the sequence's source file: the
// rectangle [Left, Right) x [Top, Bottom) of the strip, and the frame's top-left corner relative
// to its hot spot.
#include "objects/Object.h"

#include <cstdint>

class CFrameInfo : public CObject
{
    DECLARE_CLASS_RECORD(CFrameInfo)

    CFrameInfo();
    ~CFrameInfo() override;

    int32_t m_left = 0;
    int32_t m_top = 0;
    int32_t m_right = 0;
    int32_t m_bottom = 0;
    int32_t m_upperLeftXOffset = 0;
    int32_t m_upperLeftYOffset = 0;
};
