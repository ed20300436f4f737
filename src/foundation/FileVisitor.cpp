#include "foundation/FileVisitor.h"

bool CFileVisitor::Dispatch(const char* name, uint32_t size, uint64_t lastWrite)
{
    if (ShouldSkip(name))
        return false;
    CFileInfo info;
    info.m_size = size;
    info.m_lastWrite = lastWrite;
    Visit(name, info);
    return true;
}
