#pragma once
// The data set as the program finds it in its folder "Data": archives, each mounted at the folder
// of its own name ("Sounds.zip" lends its entries the folder "Sounds/"), and plain files at the
// top of the folder, where no archive can put them.
//
// The rule a caller must know: writing is reproducible byte for byte, and a file whose bytes
// have not changed is left alone, so that an unchanged data set keeps its file times.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

class CContentSet
{
public:
    using Bytes = std::vector<uint8_t>;

    // Adds an entry to the archive of that folder name ("Sounds", "UI/Button Action.wav"). False
    // when the archive already holds the name (ignoring case) or the name is not one zip takes.
    bool AddEntry(const std::string& archive, const std::string& name, const Bytes& bytes);
    // Adds a plain file at the top of the data folder. False when the set already has it.
    bool AddFile(const std::string& name, const Bytes& bytes);

    // The archives' file names ("Sounds.zip") and bytes, then the plain files, in name order.
    std::map<std::string, Bytes> MakeFiles() const;
    // Writes every file into the folder (made when missing) through a temporary file and a
    // rename, and removes archives of the folder that the set no longer has. When anything
    // changed, the program's own caches of converted data ("Cache" folders) go too. False, with
    // error set, when a file cannot be written.
    bool WriteTo(const std::filesystem::path& folder, std::string& error) const;

private:
    struct Archive
    {
        std::vector<std::pair<std::string, Bytes>> entries; // in the order added
    };

    std::map<std::string, Archive> m_archives;
    std::map<std::string, Bytes> m_files;
};
