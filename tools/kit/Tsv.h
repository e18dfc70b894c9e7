#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "host/data/drivers/ResultSet.h"
#include "host/sys/TabSeparated.h"

// The reverse of TsvEscape, for the tab-separated files of a deck folder: a backslash before any
// other character, or at the end, stands for itself.
std::string TsvUnescape(std::string_view field);
// One stored value as a TSV field: numbers in full precision, text escaped, null empty; a
// large object as the text `describeBlob` gives it.
std::string TsvValue(const TDataValue& value, std::string (*describeBlob)(const TBlob&));
