#pragma once
// The statistics dialog's texts shared by its pages, and the cell formats of its tables.
#include "foundation/LocalizedString.h"
#include "foundation/SharedString.h"

#include <cstdint>

extern CLocalizedString g_statisticsPlayerText;
extern CLocalizedString g_statisticsEditPlayerCaption;

// The number with a comma between each group of three digits, for the whole unsigned range.
CSharedString FormatCountWithCommas(uint64_t value);
