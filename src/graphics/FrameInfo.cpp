#include "graphics/FrameInfo.h"

#include "objects/CoordinateProperty.h"
#include "objects/IntProperty.h"

IMPLEMENT_CLASS_RECORD(CFrameInfo, CObject, 3.0f)

void CFrameInfo::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CCoordinateProperty("Left", &CFrameInfo::m_left, 0, 0));
    record->AddProperty(new CCoordinateProperty("Top", &CFrameInfo::m_top, 0, 0));
    record->AddProperty(new CCoordinateProperty("Right", &CFrameInfo::m_right, 0, 0));
    record->AddProperty(new CCoordinateProperty("Bottom", &CFrameInfo::m_bottom, 0, 0));
    record->AddProperty(new CIntProperty("UpperLeftXOffset", &CFrameInfo::m_upperLeftXOffset, 0, 0));
    record->AddProperty(new CIntProperty("UpperLeftYOffset", &CFrameInfo::m_upperLeftYOffset, 0, 0));
}

CFrameInfo::CFrameInfo()
{
    InitOwnProperties();
}

CFrameInfo::~CFrameInfo()
{
    DestroyOwnProperties();
}
