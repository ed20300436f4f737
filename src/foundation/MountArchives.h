#pragma once
// The archive mount at start-up with the program's own file given, which CFileSystem::MountArchives
// takes from the system. Mounting over a mount ends the program.
//
// Unless skipRoot: with the base folder ".", the program file, else dataFolder + ".ZIP", else
// dataFolder + ".DAT", then every "*.KTD" file of the current folder in name order, each
// read-only in a layer of its own at the root. Then the base folder becomes dataFolder. Unless
// skipDataZips: every "zip" file under it (disk first, then the entries of the archives just
// mounted, folders named "cache" skipped on disk) is mounted writable and deferred at its own
// path less ".zip" plus "/", all in one layer.
void MountArchivesWithProgramFile(const char* programFile, const char* dataFolder, bool skipRoot, bool skipDataZips);
