#pragma once
// Icon data a file cannot be taken with: a damaged image, or resources built to make the
// readers copy far more than the file holds. Unlike the other faults of a 16-bit file, it
// is reported, so the user learns why the file gave no icon.
// Portable: no Win32 here.

#include "util/exception.h"

class EIconDataError : public Exception {
public:
    using Exception::Exception;
};
