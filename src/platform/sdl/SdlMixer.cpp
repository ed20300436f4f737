#include "platform/sdl/SdlMixer.h"

#include <SDL.h>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace platform::sdl {

namespace {

bool HasEnv(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

// Whether a sound device can be there at all; trying without one makes the sound libraries print
// pages of errors.
bool MaySoundExist()
{
    if (HasEnv("SDL_AUDIODRIVER") || HasEnv("PULSE_SERVER") || access("/dev/snd", F_OK) == 0)
        return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime && *runtime && access((std::string(runtime) + "/pulse/native").c_str(), F_OK) == 0;
}

void SDLCALL PullFromMixer(void* user, Uint8* stream, int length)
{
    auto* mixer = static_cast<Mixer*>(user);
    const int bytesPerFrame = 2 * mixer->GetChannels();
    mixer->Mix(reinterpret_cast<int16_t*>(stream), static_cast<size_t>(length / bytesPerFrame));
}

} // namespace

SdlMixer::~SdlMixer()
{
    // The base class cannot reach the device any more once this part of the object is gone.
    CloseDevice();
}

bool SdlMixer::StartDevice(int channels)
{
    if (!MaySoundExist() || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    SDL_AudioSpec want{};
    want.freq = GetOutputRate();
    want.format = AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(channels);
    want.samples = 1024;
    want.callback = PullFromMixer;
    want.userdata = static_cast<Mixer*>(this);
    // No changes allowed: SDL converts our format to the card's.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (!m_device) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void SdlMixer::StopDevice()
{
    if (!m_device)
        return;
    // Returns once the callback has finished; it is not called again.
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

} // namespace platform::sdl
