#include "cli/CliCommand.h"

#include <algorithm>

namespace
{
std::vector<CliRegistration::Factory>& factories()
{
    static std::vector<CliRegistration::Factory> all;
    return all;
}
}

CliRegistration::CliRegistration (Factory factory)
{
    factories().push_back (factory);
}

std::vector<std::unique_ptr<CliCommand>> createCliCommands()
{
    std::vector<std::unique_ptr<CliCommand>> commands;

    for (auto factory : factories())
        commands.push_back (factory());

    std::sort (commands.begin(), commands.end(),
               [] (const auto& a, const auto& b) { return a->getName() < b->getName(); });
    return commands;
}
