#pragma once

// Temporary files for the tests of both builds (portable C++ only).

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace tarvik::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
  public:
    TempFolder() { std::filesystem::create_directories(m_path); }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }

  private:
    static inline std::atomic<unsigned> s_count{0};
    std::filesystem::path m_path =
        std::filesystem::temp_directory_path() /
        ("tarvik-test-" + std::to_string(std::random_device{}()) + "-" + std::to_string(s_count++));
};

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace tarvik::test
