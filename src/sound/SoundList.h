#pragma once
// The list of sounds through which every part of the program plays a sound by name. Sounds are not
// loaded or played yet; the list keeps the names found in the sound folder and the requests made
// of it.
#include <string>
#include <vector>

class CSoundList
{
public:
    static CSoundList& GetInstance();

    // Rebuilds the list from the files of folder with either extension (".wav", ".ogg"); the second
    // folder is where the files are opened from.
    void LoadFolder(const char* folder, const char* openFolder, const char* extension1, const char* extension2);
    // Loads every listed sound not loaded yet.
    void LoadAllSounds();
    // Plays a sound by its file name; false when the list does not hold it.
    bool PlaySound(const char* name);

    int GetCount() const { return static_cast<int>(m_names.size()); }
    const std::string& GetName(int index) const { return m_names[static_cast<size_t>(index)]; }
    // Every name asked for by PlaySound, found or not, oldest first.
    const std::vector<std::string>& GetPlayRequests() const { return m_requests; }
    void ClearPlayRequests() { m_requests.clear(); }

private:
    std::vector<std::string> m_names;
    std::vector<std::string> m_requests;
    std::string m_openFolder;
};
