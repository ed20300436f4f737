#pragma once
// The music volume (hundredths of a decibel). The application keeps it, since it fades and mutes
// the music; the music mixer and the sound settings read and set it through this interface, which
// the application installs when it is made. Until then, and after, music is silent.
class CMusicVolumeHolder
{
public:
    virtual int GetMusicVolume() const = 0;
    virtual void SetMusicVolume(int volume) = 0;

    // The installed holder, or null. Installing null removes it.
    static CMusicVolumeHolder* GetInstalled();
    static void Install(CMusicVolumeHolder* holder);

protected:
    ~CMusicVolumeHolder() = default;
};
