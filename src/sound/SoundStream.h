#pragma once
// A streamed sound: playing state and volume in hundredths of a decibel (-10000 to 0; -3333 and
// below cannot be heard). No audio is produced yet.
class CSoundStream
{
public:
    virtual ~CSoundStream() = default;

    bool IsPlaying() const { return m_playing; }
    int GetVolume() const { return m_volume; }
    void SetVolume(int volume);
    void Stop() { m_playing = false; }

protected:
    bool m_playing = false;
    int m_volume = 0;
};
