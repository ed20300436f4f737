#pragma once
// The global list of songs: the music files of the music folder.
#include <string>
#include <vector>

class CMusicList
{
public:
    static CMusicList& GetInstance();

    // Rebuilds the list from the files of folder with either extension.
    void LoadFolder(const char* folder, const char* extension1, const char* extension2);
    // Index of the song (its file name, ignoring case) after index start (-1: from the first);
    // -1 when absent.
    int FindSong(const char* name, int start = -1) const;
    int GetCount() const { return static_cast<int>(m_names.size()); }
    const char* GetSongName(int index) const;

private:
    std::vector<std::string> m_names;
};
