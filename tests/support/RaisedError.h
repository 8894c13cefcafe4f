#pragma once

#include "platform/ClassicError.h"

#include <functional>

// The classic error number that f raises, or 0 when it returns.
inline int RaisedError(const std::function<void()> &f)
{
    try {
        f();
    } catch (const ClassicError &e) {
        return e.number;
    }
    return 0;
}
