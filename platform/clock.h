// The microsecond clock: time since the system started, never going back.
#pragma once

#include <chrono>

namespace plat {

inline double Microseconds()
{
    using namespace std::chrono;
    return static_cast<double>(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace plat
