#pragma once

#include <string>
#include <string_view>

namespace tarvik {

// The user's own settings: UTF-8 strings addressed by section and key, kept between runs (the
// registry on Windows). What is stored there may have been written by hand or by another
// program, so a value that is not usable text reads as the default.
class ISettingsStore {
  public:
    virtual ~ISettingsStore() = default;

    // The value, or `fallback` when the key is missing or its value cannot be used (logged).
    virtual std::string Read(std::string_view section, std::string_view key,
                             std::string_view fallback) = 0;
    // False (logged) when the value could not be stored.
    virtual bool Write(std::string_view section, std::string_view key, std::string_view value) = 0;
    // Removes the section with every key in it; a missing section is not an error.
    virtual void DeleteSection(std::string_view section) = 0;
    // Removes one key; a missing key or section is not an error.
    virtual void DeleteKey(std::string_view section, std::string_view key) = 0;
};

}  // namespace tarvik
