#include "gui/sample/SampleEditComponent.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "commands/CommandContext.h"
#include "commands/CommandIds.h"
#include "data/BankItemOperations.h"
#include "data/CZQVClipboard.h"
#include "data/DataCenter.h"
#include "files/FileFormatManager.h"
#include "files/FileManager.h"
#include "gui/main/MainComponent.h"
#include "gui/waveform/WaveformEditComponent.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"

SampleEditComponent::SampleEditComponent (CommandContext& commandContext, juce::ApplicationCommandManager& commands,
                                          juce::ApplicationCommandTarget& next)
    : BankEditBaseComponent ("SampleEdit", commandContext), commandManager (commands), nextTarget (next),
      selectStrip (commandContext, commands), parameterPanel (commandContext, commands)
{
    setWantsKeyboardFocus (true);
    addAndMakeVisible (selectStrip);
    addAndMakeVisible (parameterPanel);

    auto* prefs = PreferencesData::getInstancePointer();
    if (prefs != nullptr && prefs->getFlag (PreferencesData::showWaveformEditor))
        showWaveformEditor();
}

SampleEditComponent::~SampleEditComponent() = default;

std::unique_ptr<juce::Component> SampleEditComponent::createWaveformEditor()
{
    std::unique_ptr<juce::Component> editor;

    if (auto* prefs = PreferencesData::getInstancePointer())
        editor = std::make_unique<WaveformEditComponent> (context, commandManager, *prefs);
    else
        editor = std::make_unique<juce::Component>();

    editor->setName ("WaveformEditor");
    return editor;
}

void SampleEditComponent::showWaveformEditor()
{
    if (waveformEditor == nullptr)
    {
        waveformEditor = createWaveformEditor();
        addAndMakeVisible (*waveformEditor);
    }
    resized();
}

void SampleEditComponent::hideWaveformEditor()
{
    waveformEditor.reset();
}

void SampleEditComponent::resized()
{
    selectStrip.setTopLeftPosition (0, 0);
    parameterPanel.setTopLeftPosition (0, selectStrip.getBottom());

    if (waveformEditor != nullptr)
    {
        const int top = parameterPanel.getBottom();
        const int width = waveformEditor->getWidth() > 0 ? waveformEditor->getWidth() : pageWidth;
        waveformEditor->setBounds (0, top, width, juce::jmax (0, getHeight() - top));
    }
}

void SampleEditComponent::mouseDown (const juce::MouseEvent&)
{
    grabKeyboardFocus();
}

void SampleEditComponent::handleMessage (const juce::Message& message)
{
    auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message);
    if (broadcast == nullptr || broadcast->id != MessageIds::showWaveformEditor)
        return;

    if (broadcast->intArgument != 0)
        showWaveformEditor();
    else
        hideWaveformEditor();
}

//==============================================================================
void SampleEditComponent::getAllCommands (juce::Array<juce::CommandID>& commands)
{
    commands.addArray ({ CommandIds::cut, CommandIds::copy, CommandIds::paste, CommandIds::clear });
}

void SampleEditComponent::getCommandInfo (juce::CommandID commandId, juce::ApplicationCommandInfo& info)
{
    const char* nameKey = nullptr;
    switch (commandId)
    {
        case CommandIds::cut:   nameKey = "Command_Name_Edit_CutSample"; break;
        case CommandIds::copy:  nameKey = "Command_Name_Edit_CopySample"; break;
        case CommandIds::paste: nameKey = "Command_Name_Edit_PasteSample"; break;
        case CommandIds::clear: nameKey = "Command_Name_Edit_ClearSample"; break;
        default: return;
    }

    const auto name = CZQVResource::text (nameKey);
    info.setInfo (name, name, CZQVResource::text ("Command_Category_Edit"), 0);
    info.setActive (areSampleCommandsEnabled());
}

bool SampleEditComponent::areSampleCommandsEnabled() const
{
    auto* gui = context.getCommandGui();
    return gui != nullptr && ! gui->isBusy() && ! gui->isMainComponentModal();
}

int SampleEditComponent::getSelectedIndex() const
{
    auto* dataCenter = context.getDataCenter();
    return dataCenter != nullptr ? dataCenter->getEditBank().getSampleSet().getCurrentSampleIndex() : 0;
}

bool SampleEditComponent::perform (const InvocationInfo& invocation)
{
    auto* dataCenter = context.getDataCenter();
    auto* history = context.getUndoManager();
    auto* clipboard = CZQVClipboard::getInstancePointer();

    if (dataCenter == nullptr || history == nullptr || clipboard == nullptr || ! areSampleCommandsEnabled())
        return false;

    BankItemOperations operations (*dataCenter, *history, *clipboard);
    const int index = getSelectedIndex();

    switch (invocation.commandID)
    {
        case CommandIds::cut:   operations.cutSample (index); return true;
        case CommandIds::copy:  operations.copySample (index); return true;
        case CommandIds::paste: operations.pasteSample (index); return true;
        case CommandIds::clear: operations.clearSample (index); return true;
        default:                return false;
    }
}

//==============================================================================
bool SampleEditComponent::isSampleFile (const juce::File& file)
{
    const int type = FileFormatManager::typeOf (file);
    return file.existsAsFile() && (type == FileFormatManager::sampleData || type == FileFormatManager::importableAudio);
}

juce::File SampleEditComponent::firstSampleFile (const juce::StringArray& paths)
{
    for (auto& path : paths)
        if (juce::File::isAbsolutePath (path) && isSampleFile (juce::File (path)))
            return juce::File (path);
    return {};
}

bool SampleEditComponent::isInterestedInDragSource (const SourceDetails& details)
{
    return isSampleFile (MainComponent::browserDragFile (details.description, details.sourceComponent.get()));
}

void SampleEditComponent::itemDropped (const SourceDetails& details)
{
    loadIntoSelectedSample (MainComponent::browserDragFile (details.description, details.sourceComponent.get()));
}

bool SampleEditComponent::isInterestedInFileDrag (const juce::StringArray& files)
{
    return firstSampleFile (files) != juce::File();
}

void SampleEditComponent::filesDropped (const juce::StringArray& files, int, int)
{
    loadIntoSelectedSample (firstSampleFile (files));
}

void SampleEditComponent::loadIntoSelectedSample (const juce::File& file)
{
    auto* files = context.getFileManager();
    if (files == nullptr || ! isSampleFile (file))
        return;

    files->handOverSampleFile (getSelectedIndex(), file);
    grabKeyboardFocus();
}
