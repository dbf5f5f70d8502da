#pragma once
// A fresh folder per test, removed afterwards, so no test depends on another's files.

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace quelmar::test {

class TempDir {
public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quelmar-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    std::string write(const std::string& name, std::string_view content) const {
        const std::string p = file(name);
        std::ofstream(p, std::ios::binary)
            .write(content.data(), static_cast<std::streamsize>(content.size()));
        return p;
    }

    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path path_;
};

} // namespace quelmar::test
