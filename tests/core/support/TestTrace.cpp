#include "core/support/TestTrace.h"

#include <sstream>

namespace tarvik::test {

Lines TestTrace::Records() const {
    Lines records;
    std::istringstream in(ReadFile(folder.Path() / "errors.log"));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        records.push_back(line.substr(line.find("#,") + 2));
    }
    return records;
}

}  // namespace tarvik::test
