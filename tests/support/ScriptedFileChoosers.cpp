#include "support/ScriptedFileChoosers.h"

juce::File ScriptedFileChoosers::presentOpenChooser (const juce::String& title, const juce::File& folder,
                                                     const juce::String& wildcard)
{
    return present (false, title, folder, wildcard);
}

juce::File ScriptedFileChoosers::presentSaveChooser (const juce::String& title, const juce::File& folder,
                                                     const juce::String& wildcard)
{
    return present (true, title, folder, wildcard);
}

// Shown as an open chooser without a wildcard.
juce::File ScriptedFileChoosers::presentFolderChooser (const juce::String& title, const juce::File& folder)
{
    return present (false, title, folder, {});
}

juce::File ScriptedFileChoosers::present (bool forSaving, const juce::String& title, const juce::File& folder,
                                          const juce::String& wildcard)
{
    shown.push_back ({ forSaving, title, folder, wildcard });

    if (files.empty())
        return {};

    const auto file = files.front();
    files.pop_front();
    return file;
}

bool ScriptedFileChoosers::presentOverwriteQuestion (const juce::String& title, const juce::String& message)
{
    questions.push_back ({ title, message });

    if (overwriteAnswers.empty())
        return false;

    const bool answer = overwriteAnswers.front();
    overwriteAnswers.pop_front();
    return answer;
}
