// Time since the process started, for the start-up measurement: the time the
// dynamic loader and static initialisers took before main() is included. A
// process keeps its start time across exec, so a wrapper script that execs
// the editor would count its own run time too.
#pragma once

#include <chrono>

namespace d7::app {

class ProcessClock {
  public:
    // Call at the top of main().
    ProcessClock();
    // Milliseconds since the process started.
    double elapsedMs() const;

  private:
    double beforeMainMs_;  // process age when the clock was made (10 ms resolution)
    std::chrono::steady_clock::time_point made_;
};

}  // namespace d7::app
