#include "objects/CurrentObjectFileName.h"

CSharedString& CurrentObjectFileName()
{
    // Built on first use and never destroyed: fatal reports may quote it from static destructors.
    static CSharedString* s_name = new CSharedString;
    return *s_name;
}

CCurrentObjectFileNameScope::CCurrentObjectFileNameScope(const char* name)
    : m_previous(CurrentObjectFileName())
{
    CurrentObjectFileName().AssignText(name);
}

CCurrentObjectFileNameScope::~CCurrentObjectFileNameScope()
{
    CurrentObjectFileName() = m_previous;
}
