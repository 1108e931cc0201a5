#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace tarvik {

// A failure: a number (a system error code, one of our own codes, or 0), a description, and the
// name of whatever raised it when that is not the code that catches it.
class Error : public std::exception {
  public:
    Error(int32_t number, std::string description, std::string source = {})
        : m_number(number), m_description(std::move(description)), m_source(std::move(source)) {}

    int32_t Number() const noexcept { return m_number; }
    const std::string& Description() const noexcept { return m_description; }
    const std::string& Source() const noexcept { return m_source; }
    const char* what() const noexcept override { return m_description.c_str(); }

  private:
    int32_t m_number;
    std::string m_description;
    std::string m_source;
};

}  // namespace tarvik
