#include "core/app/LogException.h"

#include <exception>
#include <string>

#include "core/app/Error.h"
#include "core/app/Trace.h"

namespace tarvik {

void LogCurrentException(Trace& trace, std::string_view source, std::string_view procedure,
                         bool once, std::string_view prefix) noexcept {
    int32_t number = 0;
    std::string description = "Unknown failure";
    try {
        try {
            if (const std::exception_ptr current = std::current_exception()) {
                std::rethrow_exception(current);
            }
        } catch (const Error& error) {
            number = error.Number();
            description = error.Description();
        } catch (const std::exception& error) {
            description = error.what();
        } catch (...) {
        }
        if (!prefix.empty()) description.insert(0, prefix);
        if (once) {
            trace.LogErrorOnce(number, source, procedure, description);
        } else {
            trace.LogError(number, source, procedure, description);
        }
    } catch (...) {
        // Out of memory while logging: the record is lost, the program goes on.
    }
}

}  // namespace tarvik
