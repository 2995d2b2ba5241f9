#include "gui/dialogs/JuceFileChoosers.h"

JuceFileChoosers::JuceFileChoosers (std::unique_ptr<BusyFlag> busyFlag)
    : FileChoosers (std::move (busyFlag))
{
}

juce::File JuceFileChoosers::presentOpenChooser (const juce::String& title, const juce::File& folder,
                                                 const juce::String& wildcard)
{
    juce::FileChooser chooser (title, folder, wildcard);
    return chooser.browseForFileToOpen() ? chooser.getResult() : juce::File();
}

juce::File JuceFileChoosers::presentSaveChooser (const juce::String& title, const juce::File& folder,
                                                 const juce::String& wildcard)
{
    juce::FileChooser chooser (title, folder, wildcard);
    return chooser.browseForFileToSave (true) ? chooser.getResult() : juce::File();
}

juce::File JuceFileChoosers::presentFolderChooser (const juce::String& title, const juce::File& folder)
{
    juce::FileChooser chooser (title, folder);
    return chooser.browseForDirectory() ? chooser.getResult() : juce::File();
}

std::unique_ptr<juce::AlertWindow> JuceFileChoosers::createOverwriteWindow (const juce::String& title,
                                                                             const juce::String& message)
{
    auto window = std::make_unique<juce::AlertWindow> (title, message, juce::MessageBoxIconType::WarningIcon);
    window->addButton (CZQVResource::text ("ConfirmOverwrite_ButtonOverwrite"), 1, juce::KeyPress (juce::KeyPress::returnKey));
    window->addButton (CZQVResource::text ("Button_Cancel"), 0, juce::KeyPress (juce::KeyPress::escapeKey));
    return window;
}

bool JuceFileChoosers::presentOverwriteQuestion (const juce::String& title, const juce::String& message)
{
    return createOverwriteWindow (title, message)->runModalLoop() == 1;
}
