#include "core/support/Fakes.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace tarvik::test {

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    m_path = std::filesystem::temp_directory_path() /
             ("tarvik-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace tarvik::test
