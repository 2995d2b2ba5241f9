#include "gui/sample/SampleParameterEditComponent.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "audio/playback/AudioPlayerManager.h"
#include "commands/CommandContext.h"
#include "commands/CommandIds.h"
#include "data/DataCenter.h"
#include "gui/sample/SampleCenterParameterKnob.h"
#include "gui/sample/SampleLevelParameterKnob.h"
#include "gui/sample/SamplePanParameterKnob.h"
#include "gui/sample/SamplePitchParameterKnob.h"
#include "gui/sample/SampleSelectComponent.h"
#include "gui/widgets/FontManager.h"
#include "gui/widgets/ImageResourceManager.h"
#include "history/ParameterActions.h"
#include "history/TransactionNames.h"
#include "prefs/PreferencesData.h"

#include <memory>
#include <utility>

namespace
{
// BPM sync modes of a sample.
constexpr int syncOff = 0, timeStretch = 1, pitchShift = 2;

const juce::Colour loadDeleteOverOverlay (0x38ffffff);
const juce::Colour keyNameColour (0xffff7d00);
const juce::Colour sampleNameColour (0xff535353);

// The top left corners of the knobs, in the panel's order: Semitone, Tune,
// Level, Pan, VeloInt, Decay, Release.
const juce::Point<int> knobPlaces[] = {
    { 227, 46 }, { 227, 84 }, { 337, 8 }, { 337, 46 }, { 337, 84 }, { 447, 8 }, { 447, 46 },
};

struct ButtonPlace
{
    const char* name;
    const char* text;
    int parameterId;
    juce::Rectangle<int> bounds;
};

// In the panel's order of parameter buttons.
const ButtonPlace buttonPlaces[] = {
    { "Loop",    "LOOP", SampleData::loop,    { 229, 19, 50, 17 } },
    { "Reverse", "",     SampleData::reverse, { 283, 19, 50, 17 } },
    { "Fx SW",   "FX",   SampleData::fxSw,    { 449, 95, 50, 17 } },
};

// Semitone and Tune mean nothing while the tempo shifts the pitch.
bool isPitchKnob (int parameterId)
{
    return parameterId == SampleData::semitone || parameterId == SampleData::tune;
}
}

SampleParameterEditComponent::SampleParameterEditComponent (CommandContext& commandContext,
                                                            juce::ApplicationCommandManager& commands)
    : juce::Component ("SampleParameterEdit"), context (commandContext), commandManager (commands),
      loadButton ("Load", "LOAD", "ButtonSampleLoad", loadDeleteOverOverlay),
      deleteButton ("Delete", "DELETE", "ButtonDelete", loadDeleteOverOverlay)
{
    setUpLabels();
    setUpWaveformEditorSwitch();

    loadButton.onClick = [this] { commandManager.invokeDirectly (CommandIds::openSample, false); };
    deleteButton.onClick = [this] { commandManager.invokeDirectly (CommandIds::initSample, false); };
    addAndMakeVisible (loadButton);
    addAndMakeVisible (deleteButton);

    setUpSyncButton (pitchShiftButton, "PITCH SHIFT", "ButtonPitchShift", pitchShift);
    setUpSyncButton (timeStretchButton, "TIME STRETCH", "ButtonTimeStretch", timeStretch);
    setUpSyncButton (syncOffButton, "OFF ", "ButtonBpmSyncOff", syncOff);

    addKnobs();
    addParameterButtons();
    takeKnobMode();

    setSize (panelWidth, panelHeight);
    refresh();

    if (auto* engine = MessageEngine::getInstancePointer())
        engine->addListener (this);
}

SampleParameterEditComponent::~SampleParameterEditComponent()
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->removeListener (this);

    for (auto* knob : knobs)
        knob->removeListener (this);
}

void SampleParameterEditComponent::setUpLabels()
{
    const auto arial = FontManager::resolveFace ("Arial");

    keyNameLabel.setFont (juce::Font (arial, 21.0f, juce::Font::bold));
    keyNameLabel.setColour (juce::Label::textColourId, keyNameColour);
    keyNameLabel.setEditable (false);
    addAndMakeVisible (keyNameLabel);

    sampleNameLabel.setFont (juce::Font (arial, 14.0f, juce::Font::bold));
    sampleNameLabel.setColour (juce::Label::textColourId, sampleNameColour);
    sampleNameLabel.setEditable (true, false, false);
    sampleNameLabel.onTextChange = [this] { sampleNameEdited(); };
    addAndMakeVisible (sampleNameLabel);
}

void SampleParameterEditComponent::setUpWaveformEditorSwitch()
{
    waveformEditorSwitch.setButtonText ("WAVE EDITOR");
    waveformEditorSwitch.setOnImages (ImageResourceManager::imageFor ("ButtonWaveEditorOn"),
                                      ImageResourceManager::imageFor ("ButtonWaveEditorOnDown"));
    waveformEditorSwitch.setOffImages (ImageResourceManager::imageFor ("ButtonWaveEditorOff"),
                                       ImageResourceManager::imageFor ("ButtonWaveEditorOffDown"));
    waveformEditorSwitch.onClick = [this] { toggleWaveformEditor(); };
    addAndMakeVisible (waveformEditorSwitch);
}

void SampleParameterEditComponent::setUpSyncButton (ImageToggleButton& button, const juce::String& text,
                                                    const juce::String& imagePrefix, int mode)
{
    const auto on = ImageResourceManager::imageFor (imagePrefix + "On");
    const auto off = ImageResourceManager::imageFor (imagePrefix + "Off");
    button.setButtonText (text);
    button.setOnImages (on, on);
    button.setOffImages (off, off);
    button.onClick = [this, mode] { editParameter (SampleData::bpmSync, mode); };
    addAndMakeVisible (button);
}

void SampleParameterEditComponent::addKnobs()
{
    const StringTable* strings = nullptr;
    if (auto* dataCenter = context.getDataCenter())
        strings = &dataCenter->getParameterStrings();

    knobs.add (new SampleCenterParameterKnob ("Semitone", SampleData::semitone, -24, 24));
    knobs.add (new SamplePitchParameterKnob ("Tune", SampleData::tune));
    knobs.add (new SampleLevelParameterKnob ("Level", SampleData::level, strings));
    knobs.add (new SamplePanParameterKnob ("Pan", SampleData::pan));
    knobs.add (new SampleCenterParameterKnob ("VeloInt", SampleData::veloInt, -63, 63));
    knobs.add (new SampleParameterKnob ("Decay", SampleData::decay, 0, 127));
    knobs.add (new SampleParameterKnob ("Release", SampleData::release, 0, 127));

    for (auto* knob : knobs)
    {
        knob->addListener (this);
        addAndMakeVisible (knob);
    }
}

void SampleParameterEditComponent::addParameterButtons()
{
    for (auto& place : buttonPlaces)
    {
        auto* button = parameterButtons.add (new OnOffButton (place.name));
        button->setButtonText (place.text);
        button->onClick = [this, button] { parameterButtonClicked (*button); };
        addAndMakeVisible (button);
    }
}

void SampleParameterEditComponent::takeKnobMode()
{
    auto* prefs = PreferencesData::getInstancePointer();
    const int mode = prefs != nullptr ? prefs->getNumber (PreferencesData::knobMode) : SampleParameterKnob::linear;

    for (auto* knob : knobs)
        knob->setKnobMode (mode);
}

SampleParameterKnob* SampleParameterEditComponent::getKnob (int parameterId) const
{
    for (auto* knob : knobs)
        if (knob->getParameterId() == parameterId)
            return knob;
    return nullptr;
}

//==============================================================================
int SampleParameterEditComponent::getSelectedIndex() const
{
    auto* dataCenter = context.getDataCenter();
    return dataCenter != nullptr ? dataCenter->getEditBank().getSampleSet().getCurrentSampleIndex() : -1;
}

SampleData* SampleParameterEditComponent::getSelectedSample() const
{
    auto* dataCenter = context.getDataCenter();
    const int index = getSelectedIndex();

    if (dataCenter == nullptr || index < 0 || index >= SampleSet::numSamples)
        return nullptr;
    return &dataCenter->getEditBank().getSample (index);
}

bool SampleParameterEditComponent::isWaveformEditorShown() const
{
    auto* gui = context.getCommandGui();
    return gui != nullptr && gui->isWaveformEditorShown();
}

void SampleParameterEditComponent::setToggle (ImageToggleButton& button, bool on)
{
    button.setToggleState (on, juce::dontSendNotification);
    button.updateImages();
}

void SampleParameterEditComponent::refresh()
{
    setToggle (waveformEditorSwitch, isWaveformEditorShown());

    auto* sample = getSelectedSample();
    if (sample == nullptr)
        return;

    keyNameLabel.setText (SampleSelectComponent::keyName (SampleSelectComponent::firstNote + getSelectedIndex()),
                          juce::dontSendNotification);
    sampleNameLabel.setText (sample->getName(), juce::dontSendNotification);

    for (int i = 0; i < parameterButtons.size(); ++i)
        setToggle (*parameterButtons[i], sample->getParameter (buttonPlaces[i].parameterId) == 1);

    const int syncMode = sample->getParameter (SampleData::bpmSync);
    for (auto& sync : syncButtons)
        setToggle (sync.button, syncMode == sync.mode);

    for (auto* knob : knobs)
    {
        knob->setValue (sample->getParameter (knob->getParameterId()), juce::dontSendNotification);
        knob->setEnabled (! (isPitchKnob (knob->getParameterId()) && syncMode == pitchShift));
    }
}

//==============================================================================
bool SampleParameterEditComponent::editParameter (int parameterId, int value)
{
    auto* history = context.getUndoManager();
    if (history == nullptr || getSelectedSample() == nullptr)
        return false;

    return coalescer.perform (*history, TransactionNames::editSampleParameter,
                              std::make_unique<EditSampleParameterAction> (getSelectedIndex(), parameterId, value));
}

// The sample holds the value to its range: the knob shows what it kept.
void SampleParameterEditComponent::parameterKnobChanged (ParameterKnob& knob)
{
    const int id = knob.getParameterId();
    if (! editParameter (id, juce::roundToInt (knob.getValue())))
        return;

    if (auto* sample = getSelectedSample())
        knob.setValue (sample->getParameter (id), juce::dontSendNotification);
}

void SampleParameterEditComponent::parameterButtonClicked (OnOffButton& button)
{
    const int id = buttonPlaces[parameterButtons.indexOf (&button)].parameterId;
    if (! editParameter (id, button.getToggleState() ? 0 : 1))
        return;

    // A stopped player starts again from the other end.
    auto* player = context.getPlayerManager();
    if (id == SampleData::reverse && player != nullptr && ! player->isPlaying())
    {
        player->rewind();
        MessageEngine::broadcast (MessageIds::dataChanged);
    }
}

// Never joined with other edits. The sample keeps what its name rule lets
// through, and the label shows that.
void SampleParameterEditComponent::sampleNameEdited()
{
    auto* history = context.getUndoManager();
    if (history != nullptr && getSelectedSample() != nullptr)
    {
        history->beginNewTransaction (TransactionNames::editSampleName);
        history->perform (new EditSampleNameAction (getSelectedIndex(), sampleNameLabel.getText()));
    }
    refresh();
}

// The window takes the height of the new state and the page shows or
// hides the editor on message 17.
void SampleParameterEditComponent::toggleWaveformEditor()
{
    const bool show = ! isWaveformEditorShown();

    if (auto* prefs = PreferencesData::getInstancePointer())
        prefs->setFlag (PreferencesData::showWaveformEditor, show);

    MessageEngine::broadcast (MessageIds::showWaveformEditor, show ? 1 : 0);
}

//==============================================================================
void SampleParameterEditComponent::paint (juce::Graphics& g)
{
    g.drawImageAt (ImageResourceManager::imageFor ("BackgroundSampleParameterEdit"), 0, 0);
}

void SampleParameterEditComponent::resized()
{
    const std::pair<juce::Component*, juce::Rectangle<int>> layout[] = {
        { &keyNameLabel,         { 112, 13, 36, 24 } },
        { &sampleNameLabel,      { 28, 47, 96, 24 } },
        { &waveformEditorSwitch, { 24, 76, 54, 36 } },
        { &loadButton,           { 84, 76, 54, 17 } },
        { &deleteButton,         { 84, 95, 54, 17 } },
        { &pitchShiftButton,     { 158, 19, 60, 17 } },
        { &timeStretchButton,    { 158, 41, 60, 17 } },
        { &syncOffButton,        { 158, 64, 60, 17 } },
    };

    for (auto& [child, bounds] : layout)
        child->setBounds (bounds);

    for (int i = 0; i < knobs.size(); ++i)
        knobs[i]->setTopLeftPosition (knobPlaces[i]);

    for (int i = 0; i < parameterButtons.size(); ++i)
        parameterButtons[i]->setBounds (buttonPlaces[i].bounds);
}

void SampleParameterEditComponent::handleMessage (const juce::Message& message)
{
    auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message);
    if (broadcast == nullptr)
        return;

    if (broadcast->id == MessageIds::dataChanged || broadcast->id == MessageIds::showWaveformEditor)
        refresh();
    else if (broadcast->id == MessageIds::preferencesChanged)
        takeKnobMode();
}
