#include "gui/bankmemory/MultipleFileSelectorComponent.h"

#include "commands/ActionManager.h"
#include "device/BankSelectionState.h"
#include "files/FileManager.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"
#include "resources/MessageBoxes.h"

namespace
{
// The folder a box's text names; a relative path is taken from the working
// folder.
juce::File folderNamed (const juce::String& text)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile (text.trim());
}
}

MultipleFileSelectorComponent::MultipleFileSelectorComponent (ReceiveBankSelectionState& receiveSelection,
                                                              FileManager* fileManager, BusyFlag* flag)
    : selection (receiveSelection), files (fileManager), busyFlag (flag)
{
    folderLabel.setText (CZQVResource::text ("MultipleFileSelector_FolderName"), juce::dontSendNotification);
    folderLabel.setBounds (16, 16, 150, 16);
    addAndMakeVisible (folderLabel);

    folderBox.setText (selection.targetFolder.getFullPathName(), false);
    folderBox.setBounds (16, 40, 384, 24);
    addAndMakeVisible (folderBox);

    folderSelector.setButtonText ("...");
    folderSelector.setBounds (400, 40, 32, 24);
    folderSelector.onClick = [this] { chooseFolder(); };
    addAndMakeVisible (folderSelector);

    prefixLabel.setText (CZQVResource::text ("MultipleFileSelector_Prefix"), juce::dontSendNotification);
    prefixLabel.setBounds (16, 72, 150, 16);
    addAndMakeVisible (prefixLabel);

    prefixBox.setText (selection.fileNamePrefix, false);
    prefixBox.setBounds (16, 88, 160, 24);
    prefixBox.onTextChange = [this] { exampleLabel.setText (getExampleName(), juce::dontSendNotification); };
    addAndMakeVisible (prefixBox);

    exampleLabel.setText (getExampleName(), juce::dontSendNotification);
    exampleLabel.setBounds (184, 88, 248, 24);
    addAndMakeVisible (exampleLabel);

    okButton.setButtonText (CZQVResource::text ("Button_Ok"));
    okButton.setBounds (281, 136, 71, 24);
    okButton.onClick = [this] { okPressed(); };
    addAndMakeVisible (okButton);

    cancelButton.setButtonText (CZQVResource::text ("Button_Cancel"));
    cancelButton.setBounds (360, 136, 72, 24);
    cancelButton.onClick = [this] { finish (0); };
    addAndMakeVisible (cancelButton);

    setSize (dialogWidth, dialogHeight);
}

void MultipleFileSelectorComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
}

juce::String MultipleFileSelectorComponent::getExampleName() const
{
    int firstBank = 0;
    while (firstBank < BankSelectionState::numBanks && ! selection.isSelected (firstBank))
        ++firstBank;

    return ActionManager::receivedBankFileName (prefixBox.getText(), firstBank < BankSelectionState::numBanks ? firstBank : 0);
}

void MultipleFileSelectorComponent::chooseFolder()
{
    if (files == nullptr)
        return;

    const auto text = folderBox.getText().trim();
    const auto start = text.isNotEmpty() ? folderNamed (text) : juce::File();

    const auto chosen = withBusyFlagFree ([&] { return files->chooseReceiveFolder (start); });

    if (chosen != juce::File())
        folderBox.setText (chosen.getFullPathName(), false);
}

void MultipleFileSelectorComponent::okPressed()
{
    if (folderBox.getText().trim().isEmpty())
    {
        confirm ("MultipleFileSelector_FolderNameEmpty", false);
        return;
    }

    const auto folder = folderNamed (folderBox.getText());
    if (! folderIsReady (folder))
        return;

    selection.targetFolder = folder;
    selection.fileNamePrefix = prefixBox.getText().isNotEmpty() ? prefixBox.getText()
                                                               : CZQVResource::text ("MultipleFileSelector_DefaultPrefix");

    if (auto* preferences = PreferencesData::getInstancePointer())
        preferences->setText (PreferencesData::lastBankReceiveTargetFolder, folder.getFullPathName());

    finish (1);
}

// A missing folder is made when the user agrees.
bool MultipleFileSelectorComponent::folderIsReady (const juce::File& folder)
{
    if (folder.isDirectory())
        return true;

    if (! confirm ("MultipleFileSelector_FolderNotExist", true))
        return false;

    if (folder.createDirectory().wasOk() && folder.isDirectory())
        return true;

    confirm ("MultipleFileSelector_FailedToCreateFolder", false);
    return false;
}

bool MultipleFileSelectorComponent::confirm (const juce::String& messageKey, bool withCancel)
{
    return withBusyFlagFree ([&]
    {
        return MessageBoxes::confirmationBox (CZQVResource::text ("MultipleFileSelector_FolderSelect"),
                                              CZQVResource::text (messageKey), withCancel);
    });
}

void MultipleFileSelectorComponent::finish (int dialogResult)
{
    result = dialogResult;
    getTopLevelComponent()->exitModalState (dialogResult);
}
