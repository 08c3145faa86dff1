#pragma once

#include "platform/capabilities.h"

struct _XDisplay;

namespace orv::x11 {

// What the X server says of itself: its extensions and its RandR outputs.
DisplayFacts displayFacts(_XDisplay* display);

// The kind of server $DISPLAY names, asked on a short connection of its own; a plain X server
// when there is none.
DisplaySession detectDisplaySession();

}  // namespace orv::x11
