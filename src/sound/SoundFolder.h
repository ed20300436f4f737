#pragma once
// The sound files of one folder of the virtual file system, for the music list.
#include <string>
#include <vector>

// The names of the files in folder (relative to the base folder; on disk and in the mounted
// archives, not in its sub-folders) whose extension is one of the two given (with or without the
// dot, ignoring case), without the folder, sorted ignoring case. Empty when there are none.
std::vector<std::string> ListSoundFiles(const char* folder, const char* extension1, const char* extension2);
