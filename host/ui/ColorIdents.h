#pragma once
#include "host/ui/TypeInfo.h"

// The names of the standard and system colours (clBlack ... clMenuBar, clCream, clNone), for
// colour properties: p.Property("Color", ...).Idents(ColorIdents()).
const TEnumInfo& ColorIdents();
