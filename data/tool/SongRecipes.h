#pragma once
// The songs of the data set, synthesised: each a few bars of a groove (pad, bass, arpeggio,
// drums, a low rumble) that repeats without a seam, as mono 16-bit samples at
// CSynthTrack::kSampleRate. "SpaceRumble" comes as three mixes of one piece (full, medium and
// ambient) of one length, which the music mixer crossfades between.
#include <cstdint>
#include <vector>

struct SongRecipe
{
    const char* name; // the file name in the music folder
    std::vector<int16_t> (*make)();
};

// The songs the program names: the start song, the ambient theme, the targets of the game's
// music substitutes and the mixes of the space piece.
const std::vector<SongRecipe>& GetSongRecipes();

// Four bars of an upbeat tune that repeat without a seam: the start song.
std::vector<int16_t> MakeIntroLoop();
