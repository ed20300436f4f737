#include "StagingFolder.h"

#include "foundation/OpenFlags.h"

#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

CStagingFolder::CStagingFolder()
{
    std::error_code failed;
    std::string pattern = (fs::temp_directory_path(failed) / "vantorel-content-XXXXXX").string();
    if (failed || !::mkdtemp(pattern.data()))
        return;
    m_folder = pattern;
    m_oldBaseFolder = GetBaseFolder();
    SetBaseFolder(m_folder.c_str());
}

CStagingFolder::~CStagingFolder()
{
    if (!IsReady())
        return;
    SetBaseFolder(m_oldBaseFolder.c_str());
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
}

bool CStagingFolder::AddFilesTo(CContentSet& set, std::string& error) const
{
    // Names, not the folder walk's order, decide the order of the entries.
    std::vector<std::string> names;
    std::error_code failed;
    for (fs::recursive_directory_iterator it(m_folder, failed), end; !failed && it != end; it.increment(failed))
        if (it->is_regular_file())
            names.push_back(fs::relative(it->path(), m_folder).generic_string());
    if (failed) {
        error = "cannot list " + m_folder.string() + ": " + failed.message();
        return false;
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const size_t slash = name.find('/');
        std::ifstream file(m_folder / name, std::ios::binary);
        const CContentSet::Bytes bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (slash == std::string::npos || !file) {
            error = "cannot take " + name + " into the data set";
            return false;
        }
        if (!set.AddEntry(name.substr(0, slash), name.substr(slash + 1), bytes)) {
            error = name + " is in the data set twice";
            return false;
        }
    }
    return true;
}
