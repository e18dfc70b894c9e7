#pragma once
#include "tools/skinart/ArtBook.h"

// Every piece of every style at 1:1 and magnified (frames apart), labelled, with each
// style's mock-ups, for judging the art by eye.
TBitmap ContactSheet(const TArtBook& book);
