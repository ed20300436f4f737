#pragma once
// Names of sound files: a ".wav" name and the ".ogg" name of the same sound stand for each other,
// so that a sound or song may be stored in either form and still be asked for by its old name.
#include <string>

// The name with ".ogg" for a final ".wav" or ".wav" for ".ogg" (ignoring case); false, leaving
// twin alone, for any other name.
bool MakeTwinSoundName(const char* name, std::string& twin);
