#pragma once
#include <cstdint>

#include "host/ui/Set.h"

// The modifier keys and mouse buttons held with a key or mouse event.
enum class TShiftStateItem : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

constexpr TShiftStateItem ssShift = TShiftStateItem::ssShift;
constexpr TShiftStateItem ssAlt = TShiftStateItem::ssAlt;
constexpr TShiftStateItem ssCtrl = TShiftStateItem::ssCtrl;
constexpr TShiftStateItem ssLeft = TShiftStateItem::ssLeft;
constexpr TShiftStateItem ssRight = TShiftStateItem::ssRight;
constexpr TShiftStateItem ssMiddle = TShiftStateItem::ssMiddle;
constexpr TShiftStateItem ssDouble = TShiftStateItem::ssDouble;
