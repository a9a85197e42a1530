#pragma once

#include <string>
#include <vector>

namespace benchsupport {

// One run of another program, as a peer to compare with: its exit status
// (-1 when it did not exit normally), wall time, processor time (user and
// system, every thread: the figure that other load on a shared machine
// disturbs least), peak resident memory and standard output.
struct ChildRun {
    int status { -1 };
    double seconds { 0 };
    double cpuSeconds { 0 };
    long peakKiB { 0 };
    std::string output;
};

// Runs the program (looked up in PATH when the name has no slash) and waits
// for it.
ChildRun runChild(const std::vector<std::string>& arguments);

}
