#pragma once

#include "core/widgets/SystemPorts.h"

namespace tarvik {

// Day and month names in the user's own locale, as Windows spells them.
class LocaleDateNames final : public IDateNames {
  public:
    std::string ShortDayName(int dayOfWeek) const override;
    std::string ShortMonthName(int month) const override;
    std::string MonthName(int month) const override;
    std::string Capitals(std::string_view text) const override;
};

}  // namespace tarvik
