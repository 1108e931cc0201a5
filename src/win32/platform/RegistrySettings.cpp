#include "win32/platform/RegistrySettings.h"

#include <windows.h>

#include <vector>

#include "core/app/Trace.h"
#include "win32/platform/UniqueHandle.h"
#include "win32/platform/WideText.h"

namespace tarvik {

namespace {

constexpr const char* kSource = "RegistrySettings";

}  // namespace

std::wstring RegistrySettings::SectionPath(std::string_view section) const {
    return m_root + L"\\" + Widen(section);
}

std::string RegistrySettings::Read(std::string_view section, std::string_view key,
                                   std::string_view fallback) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_QUERY_VALUE,
                      &opened) != ERROR_SUCCESS) {
        return std::string(fallback);
    }
    const UniqueKey sectionKey(opened);
    const std::wstring name = Widen(key);
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status =
        RegQueryValueExW(sectionKey.Get(), name.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return std::string(fallback);
    if (status != ERROR_SUCCESS || type != REG_SZ || size > kMaxBytes) {
        m_trace.LogErrorOnce(static_cast<int32_t>(status), kSource, "Read",
                             "the value '" + std::string(key) + "' in '" + std::string(section) +
                                 "' is not text of a usable length (type " + std::to_string(type) +
                                 ", " + std::to_string(size) + " bytes) - the default is used");
        return std::string(fallback);
    }
    // Room for a terminator the value may lack; an odd byte count loses its last byte.
    std::vector<wchar_t> units(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = static_cast<DWORD>(units.size() * sizeof(wchar_t));
    status = RegQueryValueExW(sectionKey.Get(), name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(units.data()), &read);
    if (status != ERROR_SUCCESS || type != REG_SZ) return std::string(fallback);
    std::wstring_view text(units.data(), std::min<size_t>(read / sizeof(wchar_t), units.size()));
    if (const size_t end = text.find(L'\0'); end != std::wstring_view::npos) {
        text = text.substr(0, end);
    }
    return Narrow(text);
}

bool RegistrySettings::Write(std::string_view section, std::string_view key,
                             std::string_view value) {
    const std::wstring text = Widen(value);
    // What could not be read back is not stored either.
    LSTATUS status =
        (text.size() + 1) * sizeof(wchar_t) > kMaxBytes ? ERROR_INVALID_DATA : ERROR_SUCCESS;
    HKEY created = nullptr;
    if (status == ERROR_SUCCESS) {
        status = RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0,
                                 KEY_SET_VALUE, nullptr, &created, nullptr);
    }
    if (status == ERROR_SUCCESS) {
        const UniqueKey sectionKey(created);
        status = RegSetValueExW(sectionKey.Get(), Widen(key).c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    if (status == ERROR_SUCCESS) return true;
    m_trace.LogError(static_cast<int32_t>(status), kSource, "Write",
                     "the value '" + std::string(key) + "' in '" + std::string(section) +
                         "' could not be stored");
    return false;
}

void RegistrySettings::DeleteSection(std::string_view section) {
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, SectionPath(section).c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) return;
    m_trace.LogError(static_cast<int32_t>(status), kSource, "DeleteSection",
                     "the section '" + std::string(section) + "' could not be removed");
}

void RegistrySettings::DeleteKey(std::string_view section, std::string_view key) {
    const LSTATUS status =
        RegDeleteKeyValueW(HKEY_CURRENT_USER, SectionPath(section).c_str(), Widen(key).c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) return;
    m_trace.LogError(static_cast<int32_t>(status), kSource, "DeleteKey",
                     "the value '" + std::string(key) + "' in '" + std::string(section) +
                         "' could not be removed");
}

}  // namespace tarvik
