#pragma once
// The sound files of a folder under the base folder.
#include <string>
#include <vector>

// The names of the files in folder (relative to the base folder) whose extension is one of the two
// given (with or without the dot, ignoring case), sorted ignoring case. Empty when the folder is
// missing.
std::vector<std::string> ListSoundFiles(const char* folder, const char* extension1, const char* extension2);
