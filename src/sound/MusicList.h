#pragma once
// The one global play list of the music files, with a table of substitutes: songs that the game
// asks for and that are played by another song of the list when they are missing.
//
// The rule for callers: every search of the list by name (the play order's preferred song, the
// song properties of the music mixer's data) goes through FindSong, so a missing song's twin or
// substitute is found wherever a song is named.
#include "foundation/NameValueList.h"
#include "objects/FilePlayList.h"

#include <memory>

class CMusicList : public CFilePlayList
{
public:
    static CMusicList& GetInstance();

    CMusicList();
    ~CMusicList() override;

    // The play list's Load; the substitutes go too, since they name entries of the old list.
    uint32_t Load(const CFileSearchSpec& spec, uint32_t mode, CompareFunction compare, uint32_t flags);

    // The index of the song: by its name (the hint tried first), then by the same name with
    // ".ogg" for ".wav" or the other way round, then by the substitute recorded for the name as
    // asked. -1 when none of them is there.
    int FindSong(const char* name, int hint) const;
    // Records that name plays target. A target missing from the list ends the program with the
    // "Fatal Not Found Error" report.
    void AddSubstitute(const char* name, const char* target);
    int GetSubstituteCount() const { return m_substitutes->GetCount(); }

    // FindSong.
    using CFilePlayList::FindIndexByName;
    int FindIndexByName(const char* name, int hint) const override;

private:
    std::unique_ptr<CNameValueList> m_substitutes;
};
