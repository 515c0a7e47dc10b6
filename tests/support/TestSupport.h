#pragma once
// Helpers shared by the test programs.
#include <filesystem>
#include <string>

#include "data/Gbk.h"

namespace tabrel::test {

// GBK bytes of a UTF-8 test literal.
inline std::string G(const char* utf8) { return gbk::literal(utf8); }
// UTF-8 of a GBK text, for readable assertion messages.
inline std::string U(const std::string& gbkText) { return gbk::toUtf8(gbkText); }

// A fresh empty folder under the system temp folder, removed when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The source tree (for examples/ and test data).
std::filesystem::path sourceDir();

std::string readFile(const std::filesystem::path& p);
void writeFile(const std::filesystem::path& p, const std::string& bytes);

} // namespace tabrel::test
