#pragma once
// The sound system: the one owner of the sound device. It makes sound buffers, keeps the list of
// buffers that play, enforces the limit on voices that sound at once and holds the master volume,
// the mute switch, the effects scale and the stereo switch. Everything reaches it through
// GetInstance; the device itself is the implementation's (CDirectSoundSystem).
//
// The rule for callers: main thread only. Volumes are hundredths of a decibel, 0 full and -3333
// silent; a master volume below -3000 counts as off and stops every sound.
#include <cstdint>

class CSoundBuffer;

class CSoundSystem
{
public:
    static constexpr int kSilentVolume = -3333;
    static constexpr int kOffVolume = -3000;   // a master volume below this is off
    static constexpr uint32_t kDefaultMaxVoices = 16;

    // The one sound system, made on first use.
    static CSoundSystem* GetInstance();
    // Puts another sound system in its place (a test's own); null goes back to the process's own.
    // Answers the one that was in place.
    static CSoundSystem* SetInstance(CSoundSystem* system);

    virtual ~CSoundSystem() = default;
    CSoundSystem(const CSoundSystem&) = delete;
    CSoundSystem& operator=(const CSoundSystem&) = delete;

    // Takes the device; true at once when it is already held. False without a device: the game
    // then runs silent, buffers load nothing and play nothing.
    virtual bool Init() = 0;
    // Stops every sound and lets the device go.
    virtual void Shutdown() = 0;
    // A new buffer, reset; the caller gives it back through DestroyBuffer. Null without memory.
    virtual CSoundBuffer* CreateBuffer() = 0;
    // Remembers the device's volume and takes the output (the program is in front). False
    // without a device.
    virtual bool SaveSystemVolume() = 0;
    // Stores the switch and reopens the device in stereo or mono; false without a device.
    virtual bool SetStereo(bool stereo) = 0;
    // Stores the volume (below -3000 also stops every sound) and hands it to the device; false
    // without a device.
    virtual bool SetMasterVolume(int volume) = 0;
    // Stores the switch; the device plays at -3333 while muted, else at the master volume. False
    // without a device.
    virtual bool SetMute(bool muted) = 0;
    // Hands the device the master volume (or the mute); false when muted.
    virtual bool ApplyVolume() = 0;
    // Gives the device back with the volume it had (the program goes behind another one, or
    // ends): nothing more is heard until SaveSystemVolume. False without a device.
    virtual bool RestoreSystemVolume() = 0;
    virtual bool HasDevice() const = 0;

    // Release, then delete; answers what Release answered (false for null).
    bool DestroyBuffer(CSoundBuffer* buffer);

    void SetMaxVoices(uint32_t count) { m_maxVoices = count; }
    uint32_t GetMaxVoices() const { return m_maxVoices; }
    void SetEffectsScale(float scale) { m_effectsScale = scale; }
    float GetEffectsScale() const { return m_effectsScale; }
    int GetMasterVolume() const { return m_masterVolume; }
    bool IsMuted() const { return m_muted; }
    bool IsStereo() const { return m_stereo; }
    int GetSavedSystemVolume() const { return m_savedSystemVolume; }

    // Once per frame: a sound adds at most one overlapping voice per frame number.
    void NextFrame() { ++m_frameNumber; }
    uint32_t GetFrameNumber() const { return m_frameNumber; }

    // The volume handed to the device for a sound effect of the given volume: the effects scale
    // shrinks the range 0 .. -3333 towards -3333.
    int GetEffectiveVolume(int volume) const;
    // Muted, or the master volume is off: no sound may start.
    bool RefusesSounds() const;

    // The playing list, newest first. Stopping every sound empties it.
    void StopAllSounds();
    // Puts a buffer at the head (moving it there when it is already in the list).
    void AddPlaying(CSoundBuffer* buffer);
    // False when the buffer is not in the list.
    bool RemovePlaying(CSoundBuffer* buffer);
    bool IsInPlayingList(const CSoundBuffer* buffer) const;
    // Counts the buffers that still play, dropping the finished ones from the list on the way.
    uint32_t CountVoices();
    // Whether another voice may start under the limit.
    bool HasFreeVoice() { return CountVoices() < m_maxVoices; }

protected:
    CSoundSystem() = default;
    // Forgets every buffer of the list without stopping it.
    void ClearPlayingList();

    int m_masterVolume = 0;
    uint32_t m_maxVoices = kDefaultMaxVoices;
    bool m_muted = false;
    int m_savedSystemVolume = 0;
    float m_effectsScale = 1.0f;
    bool m_stereo = true;

private:
    uint32_t m_frameNumber = 1;
    CSoundBuffer* m_playing = nullptr;
};
