#pragma once

// The resident memory of the benchmark process, from /proc/self.
namespace PeakMemory
{
// Starts a new peak from the memory resident now.
void reset();

// The peak resident memory since the last reset, and the resident memory
// now, in MB.
double peakMegabytes();
double residentMegabytes();
}
