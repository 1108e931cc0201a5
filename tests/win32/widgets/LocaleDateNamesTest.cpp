// Month names put in capitals the way Windows does it for the user's language, in every script.
#include "win32/widgets/LocaleDateNames.h"

#include <gtest/gtest.h>

namespace tarvik::test {
namespace {

TEST(LocaleDateNames, CapitalsCoverAccentsAndEveryScript) {
    const LocaleDateNames names;
    for (const auto& [name, capitals] :
         {std::pair{"März", "MÄRZ"}, {"μάρτιος", "ΜΆΡΤΙΟΣ"}, {"մարտ", "ՄԱՐՏ"}, {"", ""}}) {
        EXPECT_EQ(names.Capitals(name), capitals) << name;
    }
}

}  // namespace
}  // namespace tarvik::test
