#pragma once
// The sound list: the program's catalogue of sound effects, one entry per ".wav" or ".ogg" file
// found under the sounds folder (sub-folders included, except those whose name begins with '-'),
// on disk and in the mounted archives. Each entry owns a sound buffer that decodes its file on
// first use. Game objects, windows and menus play effects by name or index through it, or make
// private buffers that share a sound's data. It is the resource collection "Sounds", so the
// collections' usage marks, keep flags and unloading work on sounds too.
//
// The rule for callers: main thread only. Entry names are paths relative to the sounds folder
// with their extension ("Ship/Fire.wav"), found ignoring case; index 0 is the first name in
// order, which the data makes the silent "!None.wav". A buffer handed out by a play stays the
// entry's: do not destroy it.
#include "objects/ResourceCollection.h"

class CSoundBuffer;

class CSoundList : public CResourceCollection
{
public:
    static constexpr uint32_t kNameSize = 256;

    // The list the program plays through, made on first use.
    static CSoundList& GetInstance();

    CSoundList();
    // Destroys every entry's buffer.
    ~CSoundList() override;

    // Rebuilds the list from the files of folder with either extension (".wav", ".ogg"; the
    // second may be null) and registers it under the registry name (once). Names that do not fit
    // an entry are left out. Answers the count.
    uint32_t LoadFolder(const char* registryName, const char* folder, const char* extension,
                        const char* secondExtension);
    // Decodes every sound now.
    void LoadAllSounds();
    // The entry of that name: the name itself, then the same name with ".wav" and ".ogg"
    // swapped, then the first entry of the same file name in any folder. -1 when none.
    int FindSoundIndex(const char* name, int hint) const;
    // Decodes the sound now and keeps it through unloading passes; nothing for a missing name.
    void PreloadSound(const char* name);
    // Starts the sound, overlapping itself when it still plays, and answers its buffer (whether
    // or not a voice started, so that pan or volume can follow). Null for a missing name.
    CSoundBuffer* PlaySound(const char* name);
    // The same by index; null past the end.
    CSoundBuffer* PlaySoundByIndex(int index);
    // A new buffer of the caller's that shares the sound's data (decoded when first used), not
    // started; the caller destroys it with CSoundSystem::DestroyBuffer. Null for a missing name.
    CSoundBuffer* CreateSoundInstance(const char* name);
    // The entry's buffer; null past the end.
    CSoundBuffer* GetSound(uint32_t i) const;

    // What a browser of the list offers for an entry.
    const char* GetActionName() const { return "Play"; }
    void RunAction(uint32_t i) { PlaySoundByIndex(static_cast<int>(i)); }
    void SetUsedFlag(uint32_t i, bool used);

    // The collection interface.
    int FindIndexByName(const char* name, int hint) const override;
    const char* GetListName() const override;
    bool IsItemLoaded(uint32_t i) const override;
    // The bytes of PCM the entry decoded.
    uint32_t GetItemObjectSize(uint32_t i) override;
    // Decodes the sound now and marks it used.
    void MarkItemUsed(uint32_t i) override;
    void ClearUsageMarks() override;
    bool IsItemUsed(uint32_t i) const override;
    // Decodes the sound now; a sound is no reflected object, so the answer is null.
    CObject* GetItem(uint32_t i) override;
    // When decoded: forgets the data and the flags, so that the sound decodes again on its next
    // use. The entry keeps its buffer, so buffers handed out and instances stay valid.
    void UnloadItem(uint32_t i) override;
    bool GetKeepFlag(uint32_t i) const override;
    void SetKeepFlag(uint32_t i, bool keep) override;
    // The sound's file, relative to the base folder.
    void GetItemFilePath(uint32_t i, CSharedString& path) override;
    void FreeEntries() override;

private:
    struct Entry
    {
        char name[kNameSize];
        uint8_t used;
        uint8_t keep;
        CSoundBuffer* sound;
    };

    // Decodes the sound, marks it used and tells its buffer its index.
    void UseAndLoad(uint32_t i);

    Entry* m_entries = nullptr;
    uint32_t m_entryCount = 0;
};
