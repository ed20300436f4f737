#pragma once
// What a search of the file system looks for: files or sub-folders of one folder (relative to
// the base folder, ending with '/'), how deep it goes, a name prefix and up to five extensions.
#include "foundation/SharedString.h"

#include <cstdint>

class CFileSearchSpec
{
public:
    enum : uint32_t
    {
        RECURSE_ALL = 0,         // every sub-folder
        RECURSE_SKIP_DASHED = 1, // every sub-folder except those whose name begins with '-'
        RECURSE_NONE = 2,        // the folder alone
    };
    static constexpr int kMaxExtensions = 5;

    CFileSearchSpec();

    // Appends an extension (one leading '.' dropped; empty means any) while fewer than five are set.
    void AddExtension(const char* extension);
    void ClearExtensions();
    // Files of the folder with the one extension; no name prefix.
    void SetFolderAndExtension(const char* folder, const char* extension);
    // Sub-folders of the folder; those beginning with '-' when dashPrefixed, else all.
    void SetFolderForSubfolders(const char* folder, bool dashPrefixed);

    void SetFolder(const char* folder) { m_folder = folder ? folder : ""; }
    const char* GetFolder() const { return m_folder.CStr(); }
    void SetRecursionMode(uint32_t mode) { m_recursionMode = mode; }
    uint32_t GetRecursionMode() const { return m_recursionMode; }
    void SetFindFolders(bool folders) { m_findFolders = folders ? 1 : 0; }
    bool IsFindingFolders() const { return m_findFolders != 0; }
    // Bare names instead of names relative to the base folder.
    void SetNamesWithoutFolders(bool bare) { m_namesWithoutFolders = bare ? 1 : 0; }
    bool GetNamesWithoutFolders() const { return m_namesWithoutFolders != 0; }
    void SetNamePrefix(const char* prefix) { m_namePrefix = prefix ? prefix : ""; }
    const char* GetNamePrefix() const { return m_namePrefix.CStr(); }

    int GetExtensionCount() const { return static_cast<int>(m_extensionCount); }
    // Stored without a leading '.'; empty stands for any extension.
    const CSharedString& GetExtension(int index) const { return m_extensions[index]; }

private:
    uint32_t m_recursionMode = RECURSE_SKIP_DASHED;
    uint32_t m_findFolders = 0;
    uint32_t m_namesWithoutFolders = 0;
    // Kept as copies, so a search spec never points at a caller's text that has gone.
    CSharedString m_folder;
    CSharedString m_namePrefix;
    uint32_t m_extensionCount = 0;
    CSharedString m_extensions[kMaxExtensions];
};
