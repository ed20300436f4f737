#pragma once
// Helpers shared by the test suites.
#include <filesystem>
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

// "<prefix><number><suffix>", put together by appending: g++ 12 at -O3 warns falsely (-Wrestrict)
// inside `"text" + std::to_string(n)`.
inline std::string Numbered(const char* prefix, long long number, const char* suffix = "")
{
    std::string name(prefix);
    name += std::to_string(number);
    name += suffix;
    return name;
}

// Runs a shell command; returns its exit status (-1 when it could not be run).
int RunCommand(const std::string& command);

} // namespace testsupport
