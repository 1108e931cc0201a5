#pragma once

#include <string>
#include <string_view>

#include "core/platform/SettingsStore.h"

namespace tarvik {

class Trace;

// The settings under HKEY_CURRENT_USER\<root>\<section>, one REG_SZ value per key. A value of
// another type, one longer than kMaxBytes, or one that is not text reads as the default with one
// log line per key and kind of fault.
class RegistrySettings final : public ISettingsStore {
  public:
    static constexpr unsigned long kMaxBytes = 1u << 20;

    explicit RegistrySettings(Trace& trace, std::wstring root = L"Software\\Tarvik")
        : m_trace(trace), m_root(std::move(root)) {}

    std::string Read(std::string_view section, std::string_view key,
                     std::string_view fallback) override;
    bool Write(std::string_view section, std::string_view key, std::string_view value) override;
    void DeleteSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view key) override;

  private:
    std::wstring SectionPath(std::string_view section) const;

    Trace& m_trace;
    std::wstring m_root;
};

}  // namespace tarvik
