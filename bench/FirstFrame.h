// Start-up children: report the time from their launch to their first painted frame, then quit.
#pragma once

#include <cstdint>

class QWidget;

namespace velmo::bench {

// CLOCK_MONOTONIC in nanoseconds: one clock for every process of the machine.
int64_t MonotonicNs();

// Once Widget's first paint event has been handled (and the frame flushed by the same update),
// prints "first_frame_ns N" with N = now − LaunchNs, and quits the application.
void QuitAfterFirstFrame(QWidget& Widget, int64_t LaunchNs);

}  // namespace velmo::bench
