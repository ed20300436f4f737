#pragma once
// A folder of the game program's own, for tests that run the built program: a hard link (or a copy)
// of the program there makes it the program's folder, so that the settings, statistics and lock of
// the run stay in it, with the built data set beside it.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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

// Starts the folder's program headless there with the arguments, its lock and per-user settings
// ("config/") in the folder and its output in "out.txt"; the process id.
inline pid_t StartProgramIn(const std::filesystem::path& folder, const std::vector<std::string>& arguments)
{
    MakeProgramFolder(folder);
    const pid_t child = fork();
    if (child != 0)
        return child;
    std::vector<char*> argv{const_cast<char*>("vantorel"), const_cast<char*>("--headless")};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    FILE* out = nullptr;
    if (chdir(folder.c_str()) == 0 && setenv("XDG_RUNTIME_DIR", folder.c_str(), 1) == 0 &&
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1) == 0 &&
        (out = std::freopen("out.txt", "w", stdout)) != nullptr && dup2(fileno(out), 2) >= 0)
        execv("./vantorel", argv.data());
    _exit(120);
}

// The exit status of the program (128 + the signal that ended it); -1 when it still ran after
// the seconds, a watchdog's time (it is then killed).
inline int WaitForProgram(pid_t child, int seconds)
{
    for (int i = 0; i < seconds * 10; ++i) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        usleep(100000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return -1;
}
#endif
