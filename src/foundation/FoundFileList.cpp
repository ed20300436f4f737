#include "foundation/FoundFileList.h"

#include "foundation/FileSystem.h"
#include "foundation/TextUtilities.h"

namespace {

std::string Folded(const char* name)
{
    std::string text = name ? name : "";
    for (char& c : text)
        c = static_cast<char>(AsciiToLower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

void CFoundFileList::Visit(const char* name, const CFileInfo& info)
{
    Record record;
    record.m_name = name;
    record.m_size = info.m_size;
    record.m_lastWrite = info.m_lastWrite;
    m_records.push_back(std::move(record));
    m_foldedNames.insert(Folded(name));
}

bool CFoundFileList::ShouldSkip(const char* name)
{
    return m_foldedNames.count(Folded(name)) != 0;
}

uint32_t CFoundFileList::Find(const CFileSearchSpec& spec)
{
    Clear();
    return CFileSystem::EnumerateFiles(*this, spec, 0);
}

void CFoundFileList::Clear()
{
    m_records.clear();
    m_foldedNames.clear();
}
