#pragma once
// The name of the object text file being read, quoted by fatal data reports. Inside nested
// properties it is the file, ":" and the property label. The file-level readers set it for the
// duration of a read and restore the previous value afterwards.
#include "foundation/SharedString.h"

CSharedString& CurrentObjectFileName();

// Sets CurrentObjectFileName for the life of the object and restores the previous value after.
class CCurrentObjectFileNameScope
{
public:
    explicit CCurrentObjectFileNameScope(const char* name);
    ~CCurrentObjectFileNameScope();
    CCurrentObjectFileNameScope(const CCurrentObjectFileNameScope&) = delete;
    CCurrentObjectFileNameScope& operator=(const CCurrentObjectFileNameScope&) = delete;

private:
    CSharedString m_previous;
};
