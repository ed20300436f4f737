#pragma once
// Keeping a file that is about to be lost (a damaged one, or one the program cannot read whole)
// beside it under a name of its own: the file's name with a suffix, then with the suffix and 2,
// 3, ... The name is claimed by a rename that never replaces a file, so a second kept file never
// takes the place of the first.
#include <cstddef>
#include <string>

namespace setaside {

// Renames the file to the first free name; false (errno set) when it cannot, the file then left
// where it was. keptAs receives the name used.
bool MoveAside(const char* name, const char* suffix, std::string& keptAs);
// Writes the bytes to the first free name through a temporary file, so that the name holds all of
// them or nothing; false (errno set) when that failed.
bool CopyAside(const char* name, const char* suffix, const void* bytes, size_t n, std::string& keptAs);

} // namespace setaside
