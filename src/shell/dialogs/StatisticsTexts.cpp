#include "shell/dialogs/StatisticsTexts.h"

#include <string>

CLocalizedString g_statisticsPlayerText("Player");
CLocalizedString g_statisticsEditPlayerCaption("Edit Player");

CSharedString FormatCountWithCommas(uint64_t value)
{
    const std::string digits = std::to_string(value);
    std::string text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return CSharedString(text.c_str());
}
