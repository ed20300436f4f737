#include "ContentSet.h"

#include "StoredZipWriter.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace {

constexpr const char* kArchiveExtension = ".zip";
constexpr const char* kDerivedCacheFolder = "Cache";

bool SameBytes(const std::filesystem::path& path, const CContentSet::Bytes& bytes)
{
    std::error_code failure;
    if (std::filesystem::file_size(path, failure) != bytes.size() || failure)
        return false;
    std::ifstream file(path, std::ios::binary);
    const CContentSet::Bytes old((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return old == bytes;
}

// replaced is set when the file's bytes changed.
bool WriteReplacing(const std::filesystem::path& path, const CContentSet::Bytes& bytes, bool& replaced,
                    std::string& error)
{
    replaced = false;
    if (SameBytes(path, bytes))
        return true;
    std::filesystem::path temporary = path;
    temporary += ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            error = "cannot write " + temporary.string();
            std::filesystem::remove(temporary);
            return false;
        }
    }
    std::error_code failure;
    std::filesystem::rename(temporary, path, failure);
    if (failure) {
        error = "cannot replace " + path.string() + ": " + failure.message();
        std::filesystem::remove(temporary, failure);
        return false;
    }
    replaced = true;
    return true;
}

// The program keeps what it converts from the archives in plain "Cache" folders ("Cache",
// "Palettes/Cache"), checked against the sources' time stamps only; the archives' entries carry
// one fixed time, so a changed source would never be seen. A changed data set drops them all.
void RemoveDerivedCaches(const std::filesystem::path& folder)
{
    std::error_code failure;
    std::filesystem::remove_all(folder / kDerivedCacheFolder, failure);
    for (const auto& item : std::filesystem::directory_iterator(folder, failure))
        if (item.is_directory())
            std::filesystem::remove_all(item.path() / kDerivedCacheFolder, failure);
}

} // namespace

bool CContentSet::AddEntry(const std::string& archive, const std::string& name, const Bytes& bytes)
{
    if (archive.empty())
        return false;
    // The writer says whether the name can join the archive.
    CStoredZipWriter check;
    const auto found = m_archives.find(archive);
    if (found != m_archives.end())
        for (const auto& [existing, unused] : found->second.entries)
            check.AddEntry(existing, {});
    if (!check.AddEntry(name, {}))
        return false;
    m_archives[archive].entries.emplace_back(name, bytes);
    return true;
}

bool CContentSet::AddFile(const std::string& name, const Bytes& bytes)
{
    return m_files.emplace(name, bytes).second;
}

std::map<std::string, CContentSet::Bytes> CContentSet::MakeFiles() const
{
    std::map<std::string, Bytes> files = m_files;
    for (const auto& [name, archive] : m_archives) {
        CStoredZipWriter zip;
        for (const auto& [entry, bytes] : archive.entries)
            zip.AddEntry(entry, bytes);
        files[name + kArchiveExtension] = zip.Finish();
    }
    return files;
}

bool CContentSet::WriteTo(const std::filesystem::path& folder, std::string& error) const
{
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    if (failure) {
        error = "cannot make " + folder.string() + ": " + failure.message();
        return false;
    }
    const std::map<std::string, Bytes> files = MakeFiles();
    bool changed = false;
    for (const auto& [name, bytes] : files) {
        // An archive of a sub-folder ("Interface/Textures.zip") lies in that folder.
        std::filesystem::create_directories((folder / name).parent_path(), failure);
        bool replaced = false;
        if (!WriteReplacing(folder / name, bytes, replaced, error))
            return false;
        changed = changed || replaced;
    }
    // An archive left from an older data set would still be mounted.
    for (const auto& item : std::filesystem::directory_iterator(folder))
        if (item.is_regular_file() && item.path().extension() == kArchiveExtension &&
            !files.count(item.path().filename().string())) {
            std::filesystem::remove(item.path(), failure);
            changed = true;
        }
    if (changed)
        RemoveDerivedCaches(folder);
    return true;
}
