#pragma once
// A sound buffer: one sound effect, decoded on first use and played through the sound system,
// whose playing list it joins while it plays (that is where the voice limit is kept). Duplicates
// share the decoded data, so a sound can overlap itself through a chain of spare duplicates.
// This class keeps the bookkeeping; the device's part is the implementation's (CDirectSoundBuffer).
//
// The rule for callers: main thread only. Buffers come from CSoundSystem::CreateBuffer and go back
// through CSoundSystem::DestroyBuffer.
#include <cstdint>
#include <string>

class CSoundSystem;

class CSoundBuffer
{
public:
    static constexpr uint32_t kFlagStereo = 0x04;
    static constexpr uint32_t kFlagLooping = 0x08;
    static constexpr uint32_t kFlagLoaded = 0x10;
    static constexpr uint32_t kFlag16Bit = 0x40;
    static constexpr int kDefaultFrequency = 22050;
    static constexpr int kMinFrequency = 100;
    static constexpr int kMaxFrequency = 100000;

    virtual ~CSoundBuffer() = default;
    CSoundBuffer(const CSoundBuffer&) = delete;
    CSoundBuffer& operator=(const CSoundBuffer&) = delete;

    // Stops and resets the buffer. Deferred: only remembers the name and the looping switch (true).
    // Otherwise decodes the file now and sets volume 0, pan 0 and the file's own rate; false when
    // it cannot be opened or decoded (the buffer is then unloaded and never plays).
    bool Load(const char* fileName, bool looping, bool deferred, uint32_t openFlags = 0);
    // Decodes a deferred file, or duplicates the buffer this one waits for; nothing otherwise.
    void EnsureLoaded();
    // loadNow: EnsureLoaded. Otherwise keeps the sound deferred but reads its file into memory
    // once, so that the later decode needs no file access.
    void Prepare(bool loadNow);
    void SetLooping(bool looping);
    void SetListIndex(int index) { m_listIndex = index; }
    // Whether it still plays; a finished buffer leaves the playing list here.
    bool IsStillPlaying();
    // The buffer of the chain that should take an overlapping start: null when this sound
    // already added a voice this frame; this buffer itself when no voice or no spare is free (the
    // start is then refused).
    CSoundBuffer* GetFreeDuplicate();

    virtual void Reset();
    // Shares the source's data. A source not decoded yet is only remembered (false); the
    // duplicate is made when this buffer is first used. False when it cannot be made.
    virtual bool Duplicate(CSoundBuffer& source);
    // Starts the sound from its beginning. allowOverlap: a sound still playing adds a voice from
    // its spare chain instead (at most one per frame); without it a looping sound that plays is
    // left alone and a one-shot sound restarts. Refused when muted, when the master volume is
    // off or when the voice limit is reached. True when this buffer started.
    virtual bool Play(bool allowOverlap);
    // The device's volume, unchanged; false without decoded data.
    virtual bool SetVolume(int raw) = 0;
    // 100 .. 100000 Hz; other values are ignored. False only without decoded data.
    virtual bool SetFrequency(int hz);
    // False when the pan is the one already set (or there is no decoded data).
    virtual bool SetPan(int pan);
    // True when it was playing; it leaves the playing list either way.
    virtual bool Stop();
    // Stops, and lets go of the data, the deferred file (and its memory copy) and the spare chain.
    virtual bool Release();
    // Safe to ask at any time; the sound plays on its own once started.
    virtual bool IsPlaying() const = 0;
    // Decodes the file into this buffer; false when it cannot.
    virtual bool LoadFromFile(const char* fileName, uint32_t openFlags) = 0;

    uint32_t GetSize() const { return m_size; }
    uint32_t GetFlags() const { return m_flags; }
    bool IsLoaded() const { return (m_flags & kFlagLoaded) != 0; }
    bool IsLooping() const { return (m_flags & kFlagLooping) != 0; }
    bool IsDeferred() const { return !m_deferredName.empty() || m_pendingSource; }
    const std::string& GetDeferredName() const { return m_deferredName; }
    int GetFrequency() const { return m_frequency; }
    int GetNaturalFrequency() const { return m_naturalFrequency; }
    int GetPan() const { return m_pan; }
    int GetVolume() const { return m_volume; }
    int GetListIndex() const { return m_listIndex; }
    uint32_t GetLastOverlapFrame() const { return m_lastOverlapFrame; }
    CSoundBuffer* GetSpare() const { return m_spare; }

protected:
    CSoundBuffer() = default;

    // Whether the shared part of Play lets this buffer start.
    bool MayStart(bool allowOverlap);
    // Forgets the deferred name, deleting the memory copy that the name refers to.
    void DropDeferredName();
    void ReleaseSpares();

    uint32_t m_size = 0;
    uint32_t m_flags = 0;
    int m_frequency = kDefaultFrequency;
    int m_naturalFrequency = kDefaultFrequency;
    int m_pan = 0;
    int m_volume = 0;

private:
    friend class CSoundSystem;   // threads the playing list through m_nextPlaying

    std::string m_deferredName;
    CSoundBuffer* m_pendingSource = nullptr;
    uint32_t m_lastOverlapFrame = 0;
    CSoundBuffer* m_spare = nullptr;
    CSoundBuffer* m_nextPlaying = nullptr;
    int m_listIndex = -1;
};
