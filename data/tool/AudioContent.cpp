#include "AudioContent.h"

#include "ImaAdpcmWave.h"
#include "OggVorbisFile.h"
#include "SongRecipes.h"
#include "SynthTrack.h"
#include "WaveFile.h"

namespace {

// Near 40 kbit/s for these mono songs: small, and clean enough for synthesised music.
constexpr float kOggQuality = 0.2f;

// A serial number of the file's own, so that adding a file changes no other's bytes.
int SerialOf(const char* name)
{
    uint32_t hash = 2166136261u;   // FNV-1a
    for (; *name; ++name)
        hash = (hash ^ static_cast<uint8_t>(*name)) * 16777619u;
    return static_cast<int>(hash & 0x7FFFFFFF);
}

CContentSet::Bytes EncodeOgg(const std::vector<int16_t>& samples, const char* name)
{
    return EncodeOggVorbis(samples, CSynthTrack::kSampleRate, 1, kOggQuality, SerialOf(name));
}

} // namespace

CContentSet::Bytes EncodeSound(const SoundRecipe& recipe)
{
    const std::vector<int16_t> samples = recipe.make();
    switch (recipe.form) {
    case SoundForm::ImaAdpcm:
        return EncodeImaAdpcmWave(samples, CSynthTrack::kSampleRate);
    case SoundForm::OggVorbis:
        return EncodeOgg(samples, recipe.name);
    case SoundForm::Pcm:
        break;
    }
    return EncodeWave16(samples, CSynthTrack::kSampleRate, 1);
}

bool AddSongs(CContentSet& set, const std::string& archive, std::string& error)
{
    for (const SongRecipe& recipe : GetSongRecipes()) {
        const CContentSet::Bytes bytes = EncodeOgg(recipe.make(), recipe.name);
        if (bytes.empty()) {
            error = std::string("cannot encode ") + recipe.name;
            return false;
        }
        if (!set.AddEntry(archive, recipe.name, bytes)) {
            error = std::string(recipe.name) + " is in the data set twice";
            return false;
        }
    }
    return true;
}
