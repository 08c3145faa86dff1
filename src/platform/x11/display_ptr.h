#pragma once

#include <memory>

struct _XDisplay;

namespace orv::x11 {

// An X connection owned by one object: closed when the owner goes.
struct DisplayCloser {
    void operator()(_XDisplay* display) const;
};
using DisplayPtr = std::unique_ptr<_XDisplay, DisplayCloser>;

}  // namespace orv::x11
