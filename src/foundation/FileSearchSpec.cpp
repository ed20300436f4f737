#include "foundation/FileSearchSpec.h"

CFileSearchSpec::CFileSearchSpec() = default;

void CFileSearchSpec::AddExtension(const char* extension)
{
    if (m_extensionCount >= kMaxExtensions)
        return;
    if (!extension)
        extension = "";
    if (*extension == '.')
        ++extension;
    m_extensions[m_extensionCount++] = extension;
}

void CFileSearchSpec::ClearExtensions()
{
    for (CSharedString& extension : m_extensions)
        extension.Clear();
    m_extensionCount = 0;
}

void CFileSearchSpec::SetFolderAndExtension(const char* folder, const char* extension)
{
    m_findFolders = 0;
    SetFolder(folder);
    SetNamePrefix("");
    ClearExtensions();
    AddExtension(extension);
}

void CFileSearchSpec::SetFolderForSubfolders(const char* folder, bool dashPrefixed)
{
    m_findFolders = 1;
    SetFolder(folder);
    SetNamePrefix(dashPrefixed ? "-" : "");
    ClearExtensions();
    AddExtension("");
}
