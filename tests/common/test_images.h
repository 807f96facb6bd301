// Images a test makes up or compares.
#pragma once

#include "core/image.h"

namespace r57::test {

// An image of pseudo-random bytes, the same for the same `variant`.
CodeplugImage RandomImage(unsigned variant);

// True when the images agree on [from, to).
bool SameRange(const CodeplugImage& a, const CodeplugImage& b, int from, int to);

} // namespace r57::test
