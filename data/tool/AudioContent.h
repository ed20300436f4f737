#pragma once
// The sounds and songs of the data set as files: each sound in the form its recipe names, each
// song as Ogg Vorbis. The encodings are fixed (quality, serial numbers), so the bytes are the same
// on every build.
#include "ContentSet.h"
#include "SoundRecipes.h"

#include <string>

// The sound's file bytes.
CContentSet::Bytes EncodeSound(const SoundRecipe& recipe);
// Adds every song to the archive of that folder name; false, with error set, when one cannot be
// encoded or is there twice.
bool AddSongs(CContentSet& set, const std::string& archive, std::string& error);
