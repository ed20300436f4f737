#pragma once
// Helpers shared by the test suites.
#include <filesystem>
#include <functional>
#include <string>

namespace testsupport {

// A fresh folder under the system's temporary folder, removed with everything in it at the end of scope.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Whole-file helpers for fixtures.
std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

// Runs a shell command; returns its exit status (-1 when it could not be run).
int RunCommand(const std::string& command);

// Runs the check in a forked child that an alarm ends after the seconds given, so that a check
// that blocks fails instead of holding the run for ever (and, outside sanitizer builds, with its
// address space bounded to 2 GB, so that an unbounded read fails rather than filling the
// machine). Answers what the check answered ("" when it held), or says that it blocked or died.
std::string RunWatched(unsigned seconds, const std::function<std::string()>& check);

} // namespace testsupport
