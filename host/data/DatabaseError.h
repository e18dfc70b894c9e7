#pragma once
#include "host/sys/Exception.h"

// A database could not be reached or a statement could not run; the message is the provider's.
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};
