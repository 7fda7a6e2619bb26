#pragma once

#include <string>
#include <vector>

#include "support/ChildProcess.h"

// The GPS simulator, started by a test: it prints its pseudo-terminal first, which the test
// then reads as a receiver's serial port. Ended and reaped when the test leaves.
class NmeasimProcess {
  public:
    explicit NmeasimProcess(const std::vector<std::string>& args)
        : process_(NMEASIM_PATH, args, ChildProcess::Stderr::Inherited),
          device_(process_.readLine().value_or("")) {}

    // "/dev/pts/N", or empty when the simulator did not start.
    const std::string& device() const { return device_; }

  private:
    ChildProcess process_;
    std::string device_;
};
