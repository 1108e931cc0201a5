#include "win32/feeds/HttpDownload.h"

#include <chrono>

namespace tarvik {

void LoadSwitch::Drop() {
    m_dropped = true;
    CloseAll();
}

HINTERNET LoadSwitch::Keep(HINTERNET handle) {
    if (!handle) return nullptr;
    const std::lock_guard lock(m_mutex);
    if (m_dropped) {
        WinHttpCloseHandle(handle);
        SetLastError(ERROR_WINHTTP_OPERATION_CANCELLED);
        return nullptr;
    }
    m_open.push_back(handle);
    return handle;
}

void LoadSwitch::CloseAll() {
    const std::lock_guard lock(m_mutex);
    // The request before its connection, the connection before its session.
    for (auto handle = m_open.rbegin(); handle != m_open.rend(); ++handle)
        WinHttpCloseHandle(*handle);
    m_open.clear();
}

namespace {

constexpr int kResolveMs = 10'000, kConnectMs = 10'000, kSendMs = 10'000, kReceiveMs = 15'000;
constexpr auto kWholeLoad = std::chrono::seconds(60);

FeedAnswer Failure(DWORD code, std::string reason) {
    FeedAnswer answer;
    answer.code = static_cast<int32_t>(code);
    answer.reason = std::move(reason);
    return answer;
}

// The last WinHTTP failure in words.
FeedAnswer NetworkFailure(std::string_view step) {
    const DWORD code = GetLastError();
    std::string reason(step);
    switch (code) {
        case ERROR_WINHTTP_TIMEOUT:
            reason += ": the server did not answer in time";
            break;
        case ERROR_WINHTTP_NAME_NOT_RESOLVED:
            reason += ": the server's name is unknown";
            break;
        case ERROR_WINHTTP_CANNOT_CONNECT:
            reason += ": the server cannot be reached";
            break;
        case ERROR_WINHTTP_REDIRECT_FAILED:
            reason += ": too many or unsafe redirects";
            break;
        default:
            reason += ": network error " + std::to_string(code);
            break;
    }
    return Failure(code, std::move(reason));
}

DWORD StatusOf(HINTERNET request) {
    DWORD status = 0, size = sizeof status;
    WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
    return status;
}

FeedAnswer Dropped() {
    return Failure(ERROR_CANCELLED, "the load was dropped");
}

FeedAnswer ReadBody(HINTERNET request, const LoadSwitch& load,
                    std::chrono::steady_clock::time_point deadline) {
    FeedAnswer answer;
    char buffer[16384];
    for (;;) {
        if (load.Dropped()) return Dropped();
        if (std::chrono::steady_clock::now() > deadline)
            return Failure(ERROR_WINHTTP_TIMEOUT, "the answer took longer than a minute");
        DWORD read = 0;
        if (!WinHttpReadData(request, buffer, sizeof buffer, &read))
            return NetworkFailure("reading the answer");
        if (read == 0) break;
        if (answer.bytes.size() + read > kMaxFeedBytes)
            return Failure(0, "the answer is larger than 2 MiB");
        answer.bytes.append(buffer, read);
    }
    answer.arrived = true;
    return answer;
}

}  // namespace

FeedAnswer HttpDownload(const std::wstring& url, LoadSwitch& load) {
    const auto deadline = std::chrono::steady_clock::now() + kWholeLoad;
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = DWORD(-1);
    if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts))
        return Failure(GetLastError(), "not a valid address");
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
        return Failure(0, "only http and https addresses are fetched");
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    const std::wstring path = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                              std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);

    // The handles live in the switch: a drop closes them under our feet, so each step looks at
    // the switch before it uses them again.
    const HINTERNET session =
        load.Keep(WinHttpOpen(L"Tarvik", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                              WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session || !WinHttpSetTimeouts(session, kResolveMs, kConnectMs, kSendMs, kReceiveMs))
        return NetworkFailure("starting WinHTTP");
    const HINTERNET connection = load.Keep(WinHttpConnect(session, host.c_str(), parts.nPort, 0));
    if (!connection) return NetworkFailure("connecting");
    const wchar_t* anyType[] = {L"*/*", nullptr};
    const HINTERNET request = load.Keep(WinHttpOpenRequest(
        connection, L"GET", path.empty() ? L"/" : path.c_str(), nullptr, WINHTTP_NO_REFERER,
        anyType, parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0));
    if (!request) return NetworkFailure("opening the request");
    DWORD redirects = kMaxFeedRedirects;
    WinHttpSetOption(request, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &redirects,
                     sizeof redirects);
    // Waiting for the headers has a limit of its own, far longer by default.
    DWORD headersWait = kReceiveMs;
    WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &headersWait,
                     sizeof headersWait);
    DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_DISALLOW_HTTPS_TO_HTTP;
    WinHttpSetOption(request, WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof policy);
    const bool sent = !load.Dropped() &&
                      WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                                         WINHTTP_NO_REQUEST_DATA, 0, 0, 0) &&
                      !load.Dropped() && WinHttpReceiveResponse(request, nullptr);
    if (load.Dropped()) return Dropped();
    if (!sent) return NetworkFailure("sending the request");
    if (const DWORD status = StatusOf(request); status != 200)
        return Failure(status, "the server answered with status " + std::to_string(status));
    return ReadBody(request, load, deadline);
}

}  // namespace tarvik
