#include "cli/CliRunner.h"

#include <sys/wait.h>

#include <cstdlib>

CliResult runCli (const juce::StringArray& arguments, const juce::File& workingDirectory, const juce::String& shellPrefix)
{
    auto outFile = juce::File::createTempFile ("cli-out");
    auto errFile = juce::File::createTempFile ("cli-err");

    juce::String command;
    command << "cd " << workingDirectory.getFullPathName().quoted ('\'') << " && " << shellPrefix << " "
            << juce::String (PLOVARA_CLI_PATH).quoted ('\'');
    for (const auto& argument : arguments)
        command << " " << argument.replace ("'", "'\\''").quoted ('\'');
    command << " >" << outFile.getFullPathName().quoted ('\'')
            << " 2>" << errFile.getFullPathName().quoted ('\'') << " </dev/null";

    const int status = std::system (command.toRawUTF8());

    CliResult result;
    result.exitCode = WIFEXITED (status) ? WEXITSTATUS (status) : -1;
    result.out = outFile.loadFileAsString();
    result.err = errFile.loadFileAsString();
    outFile.deleteFile();
    errFile.deleteFile();
    return result;
}

juce::StringArray folderContents (const juce::File& folder)
{
    juce::StringArray names;
    for (const auto& entry : juce::RangedDirectoryIterator (folder, false, "*", juce::File::findFilesAndDirectories))
        names.add (entry.getFile().getFileName());
    names.sort (false);
    return names;
}
