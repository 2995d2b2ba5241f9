#include "PeakMemory.h"

#include <fstream>
#include <string>

namespace
{
// A line of the process status ("VmHWM", "VmRSS") in MB.
double statusMegabytes (const std::string& field)
{
    std::ifstream status ("/proc/self/status");
    std::string line;

    while (std::getline (status, line))
        if (line.rfind (field + ":", 0) == 0)
            return std::stod (line.substr (field.size() + 1)) / 1024.0;

    return 0.0;
}
}

void PeakMemory::reset()
{
    std::ofstream ("/proc/self/clear_refs") << "5";
}

double PeakMemory::peakMegabytes() { return statusMegabytes ("VmHWM"); }

double PeakMemory::residentMegabytes() { return statusMegabytes ("VmRSS"); }
