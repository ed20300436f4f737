#include "shell/dialogs/StatisticsTexts.h"

#include <string>

CLocalizedString g_statisticsPlayerText("Player");
CLocalizedString g_statisticsEditPlayerCaption("Edit Player");

CSharedString FormatCountWithCommas(uint64_t value)
{
    std::string digits = std::to_string(value);
    for (int p = static_cast<int>(digits.size()) - 3; p > 0; p -= 3)
        digits.insert(static_cast<size_t>(p), ",");
    return CSharedString(digits.c_str());
}
