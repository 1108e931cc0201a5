#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <string>

#include "core/app/Clock.h"
#include "core/app/CommandLine.h"

namespace tarvik::test {

// A clock that shows whatever the test sets.
class FakeClock final : public IClock {
  public:
    LocalTime now{2026, 5, 4, 9, 15, 2, 1};
    LocalTime Now() const override { return now; }
};

// An argument text and environment variables set by the test.
class FakeEnvironment final : public IEnvironment {
  public:
    std::string arguments;
    std::map<std::string, std::string, std::less<>> variables;

    std::string ArgumentText() const override { return arguments; }
    std::optional<std::string> Variable(std::string_view name) const override {
        const auto found = variables.find(name);
        return found == variables.end() ? std::nullopt : std::optional(found->second);
    }
};

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
