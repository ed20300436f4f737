#pragma once
// A folder of the game program's own, for tests that run the built program: a hard link (or a copy)
// of the program there makes it the program's folder, so that the settings, statistics and lock of
// the run stay in it, with the built data set beside it.
#include <filesystem>

#ifdef VANTOREL_GAME_PROGRAM
// Nothing when the folder has them already.
inline void MakeProgramFolder(const std::filesystem::path& folder)
{
    const std::filesystem::path program = VANTOREL_GAME_PROGRAM;
    if (std::filesystem::exists(folder / "vantorel"))
        return;
    std::error_code failure;
    std::filesystem::create_hard_link(program, folder / "vantorel", failure);
    if (failure)
        std::filesystem::copy_file(program, folder / "vantorel");
    std::filesystem::create_directory_symlink(program.parent_path() / "Data", folder / "Data");
}
#endif
