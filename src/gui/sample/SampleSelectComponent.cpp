#include "gui/sample/SampleSelectComponent.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "app/TransmitNoticeManager.h"
#include "audio/playback/AudioPlayerManager.h"
#include "commands/CommandContext.h"
#include "commands/CommandIds.h"
#include "data/DataCenter.h"
#include "files/FileManager.h"
#include "gui/main/MainComponent.h"
#include "gui/sample/SampleImageButton.h"
#include "gui/widgets/ImageResourceManager.h"
#include "history/ActionContext.h"
#include "history/ParameterActions.h"
#include "history/SampleAudioActions.h"
#include "history/TransactionNames.h"
#include "prefs/PreferencesData.h"

#include <utility>

namespace
{
constexpr int selectionChannel = 1;   // the selected sample's key is held on it
constexpr int mouseChannel = 2;       // keys played by the mouse
constexpr int lastNote = SampleSelectComponent::firstNote + SampleSet::numSamples - 1;
constexpr float whiteKeyWidth = 15.0f;
const juce::Colour keyDownOverlay (0xff960f00);
const juce::Colour buttonOverOverlay (0x44ffffff);

constexpr int dragDistance = 10;      // pixels the mouse moves before a key drags
constexpr int dragHoldMs = 500;       // or the time it is held down
constexpr int dragImageWidth = 152, dragImageHeight = 24;
constexpr float dragTextMinimumScale = 0.7f;
}

// A key clicked with the mouse, handled after the keyboard's own event.
class SampleSelectComponent::KeyClickMessage : public BroadcastMessage
{
public:
    explicit KeyClickMessage (int sampleIndex) : BroadcastMessage (keyClickedMessageId, sampleIndex) {}
};

SampleSelectComponent::SampleSelectComponent (CommandContext& commandContext, juce::ApplicationCommandManager& commands)
    : juce::Component ("SampleSelect"), context (commandContext), commandManager (commands)
{
    receiveButton.setButtonText ("RECEIVE");
    SampleImageButton::setSkinImages (receiveButton, "ButtonReceive", buttonOverOverlay);
    receiveButton.onClick = [this] { commandManager.invokeDirectly (CommandIds::receiveSample, false); };
    addAndMakeVisible (receiveButton);

    transmitButton.setButtonText ("TRANSMIT");
    SampleImageButton::setSkinImages (transmitButton, "ButtonTransmit", buttonOverOverlay);
    transmitButton.onClick = [this] { commandManager.invokeDirectly (CommandIds::transmitSample, true); };
    addAndMakeVisible (transmitButton);

    setUpKeyboard();

    audioInThruFxButton.setButtonText ("ON");
    audioInThruFxButton.onClick = [this] { toggleAudioInThruFx(); };
    addAndMakeVisible (audioInThruFxButton);

    setSize (stripWidth, stripHeight);
    refresh();

    keyboardState.addListener (this);
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->addListener (this);
}

SampleSelectComponent::~SampleSelectComponent()
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->removeListener (this);
    keyboardState.removeListener (this);
}

void SampleSelectComponent::setUpKeyboard()
{
    keyboard.setName ("sample select keyboard");
    keyboard.setAvailableRange (firstNote, lastNote);
    keyboard.setScrollButtonsVisible (false);
    keyboard.setKeyWidth (whiteKeyWidth);
    keyboard.clearKeyMappings();
    keyboard.setMidiChannel (mouseChannel);
    keyboard.setMidiChannelsToDisplay (1 << (selectionChannel - 1));
    keyboard.setColour (juce::MidiKeyboardComponent::keyDownOverlayColourId, keyDownOverlay);
    keyboard.setColour (juce::MidiKeyboardComponent::mouseOverKeyOverlayColourId, keyDownOverlay.withMultipliedAlpha (0.5f));
    addAndMakeVisible (keyboard);
}

int SampleSelectComponent::getSelectedSample() const
{
    auto* dataCenter = context.getDataCenter();
    return dataCenter != nullptr ? dataCenter->getEditBank().getSampleSet().getCurrentSampleIndex() : 0;
}

void SampleSelectComponent::refresh()
{
    keyboardState.allNotesOff (selectionChannel);
    keyboardState.noteOn (selectionChannel, firstNote + getSelectedSample(), 1.0f);

    if (auto* dataCenter = context.getDataCenter())
    {
        audioInThruFxButton.setToggleState (dataCenter->getEditBank().getAudioInThruFx(), juce::dontSendNotification);
        audioInThruFxButton.updateImages();
    }

    updateTransmitBlink();
}

void SampleSelectComponent::updateTransmitBlink()
{
    auto* actions = ActionContext::getCurrent();
    auto* notices = actions != nullptr ? actions->transmitNotices : nullptr;
    const bool noticeOn = notices != nullptr && notices->getSampleNotice (getSelectedSample());

    if (noticeOn != transmitButton.getToggleState())
        transmitButton.setBlinking (noticeOn);
}

void SampleSelectComponent::toggleAudioInThruFx()
{
    auto* dataCenter = context.getDataCenter();
    auto* history = context.getUndoManager();
    if (dataCenter == nullptr || history == nullptr)
        return;

    const bool on = dataCenter->getEditBank().getAudioInThruFx();
    history->beginNewTransaction (TransactionNames::editBankParameter);
    history->perform (new EditBankParameterAction (EditBankParameterAction::audioInThruFx, on ? 0 : 1));
}

// Only the mouse's channel: the selection's own note comes back here too.
void SampleSelectComponent::handleNoteOn (juce::MidiKeyboardState*, int channel, int note, float)
{
    if (channel == mouseChannel)
        postMessage (new KeyClickMessage (note - firstNote));
}

void SampleSelectComponent::selectSample (int index)
{
    if (index < 0 || index >= SampleSet::numSamples || context.getDataCenter() == nullptr)
        return;

    context.setCurrentSample (index);

    auto* gui = context.getCommandGui();
    if (gui != nullptr && gui->getCurrentPage() != CommandGui::samplePage)
        context.setCurrentPage (CommandGui::samplePage);

    MessageEngine::broadcast (MessageIds::dataChanged);
    autoPlay();
}

// The newly selected sample is heard at once while the waveform editor is
// shown; a playback that runs goes on with the new sample's range.
void SampleSelectComponent::autoPlay()
{
    auto* prefs = PreferencesData::getInstancePointer();
    auto* gui = context.getCommandGui();
    auto* player = context.getPlayerManager();

    if (prefs == nullptr || ! prefs->getFlag (PreferencesData::targetSampleAutoPlay)
        || gui == nullptr || ! gui->isWaveformEditorShown() || player == nullptr)
        return;

    if (player->isPlaying())
        player->updateSelection();
    else
        player->play();
}

//==============================================================================
bool SampleSelectComponent::shouldStartDrag (const juce::MouseEvent& event)
{
    return event.getDistanceFromDragStart() > dragDistance || event.getLengthOfMousePress() > dragHoldMs;
}

juce::String SampleSelectComponent::keyName (int note)
{
    return juce::MidiMessage::getMidiNoteName (note, true, true, 3);
}

juce::String SampleSelectComponent::dragText (int note) const
{
    juce::String name;
    if (auto* dataCenter = context.getDataCenter())
        name = dataCenter->getEditBank().getSample (juce::jlimit (0, SampleSet::numSamples - 1, note - firstNote)).getName();

    return keyName (note) + " : " + name;
}

juce::Image SampleSelectComponent::createDragImage (int note)
{
    juce::Image image (juce::Image::ARGB, dragImageWidth, dragImageHeight, true);
    juce::Graphics g (image);
    g.fillAll (juce::Colours::white.withAlpha (0.5f));
    g.setColour (juce::Colours::black);
    g.drawFittedText (dragText (note), image.getBounds(), juce::Justification::centred, 1, dragTextMinimumScale);
    return image;
}

void SampleSelectComponent::keyDropped (int sourceNote, int targetNote)
{
    auto* history = context.getUndoManager();
    if (history == nullptr || context.getDataCenter() == nullptr || sourceNote < firstNote)
        return;

    const bool copy = juce::ModifierKeys::getCurrentModifiers().isCtrlDown();
    history->beginNewTransaction (copy ? TransactionNames::copySample : TransactionNames::swapSample);
    history->perform (new DragSampleAction (sourceNote - firstNote, targetNote - firstNote, copy));
}

void SampleSelectComponent::fileDropped (const juce::var& description, juce::Component* source, int targetNote)
{
    const auto file = MainComponent::browserDragFile (description, source);
    auto* files = context.getFileManager();
    if (! file.existsAsFile() || files == nullptr)
        return;

    selectSample (targetNote - firstNote);
    files->handOverSampleFile (targetNote - firstNote, file);
    keyboard.grabKeyboardFocus();
}

//==============================================================================
void SampleSelectComponent::paint (juce::Graphics& g)
{
    g.drawImageAt (ImageResourceManager::imageFor ("BackgroundSampleSelect"), 0, 0);
}

void SampleSelectComponent::resized()
{
    const std::pair<juce::Component*, juce::Rectangle<int>> layout[] = {
        { &receiveButton,       { 24, 28, 64, 17 } },
        { &transmitButton,      { 24, 52, 64, 17 } },
        { &keyboard,            { 118, 20, 316, 63 } },
        { &audioInThruFxButton, { 466, 67, 50, 17 } },
    };

    for (auto& [child, bounds] : layout)
        child->setBounds (bounds);
}

void SampleSelectComponent::handleMessage (const juce::Message& message)
{
    if (auto* click = dynamic_cast<const KeyClickMessage*> (&message))
    {
        selectSample (click->intArgument);
        return;
    }

    auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message);
    if (broadcast == nullptr)
        return;

    if (broadcast->id == MessageIds::dataChanged)
        refresh();
    else if (broadcast->id == MessageIds::transmitNoticesChanged)
        updateTransmitBlink();
}
