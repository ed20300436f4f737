#include "sound/SoundStream.h"

void CSoundStream::SetVolume(int volume)
{
    if (volume < -10000)
        volume = -10000;
    if (volume > 0)
        volume = 0;
    m_volume = volume;
}
