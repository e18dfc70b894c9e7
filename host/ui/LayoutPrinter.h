#pragma once
#include <string>

#include "host/ui/Layout.h"

// The text of a stored layout, in the form ParseLayout reads, indented by two spaces a level.
std::string PrintLayout(const TLayoutObject& object);
