#include "cli/CliCommand.h"

std::unique_ptr<CliCommand> createInfoCommand();

std::vector<std::unique_ptr<CliCommand>> createCliCommands()
{
    std::vector<std::unique_ptr<CliCommand>> commands;
    commands.push_back (createInfoCommand());
    return commands;
}
