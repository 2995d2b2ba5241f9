#include "gui/waveform/WaveformEditComponent.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "audio/playback/AudioPlayerManager.h"
#include "commands/CommandContext.h"
#include "commands/CommandIds.h"
#include "data/DataCenter.h"
#include "gui/waveform/WaveformImageButton.h"
#include "gui/widgets/ImageResourceManager.h"
#include "history/ParameterActions.h"
#include "history/TransactionNames.h"
#include "prefs/PreferencesData.h"

namespace
{
constexpr double minimumBpm = 20.0, maximumBpm = 300.0, bpmStep = 0.1;

juce::String rateText (const SampleData& sample)
{
    if (sample.getNumFrames() < 2)
        return {};
    return juce::String::formatted ("%.9g", sample.getSampleRate() / 1000.0) + "kHz";
}
}

WaveformEditComponent::WaveformEditComponent (CommandContext& commandContext, juce::ApplicationCommandManager& commands,
                                              PreferencesData& preferencesData)
    : context (commandContext), commandManager (commands), preferences (preferencesData),
      graph (commandContext, preferencesData)
{
    addAndMakeVisible (graph);

    const auto playOff = ImageResourceManager::imageFor ("ButtonSamplePlayOff");
    const auto playOn = ImageResourceManager::imageFor ("ButtonSamplePlayOn");
    playButton.setButtonText ("PLAY");
    playButton.setOffImages (playOff, ImageResourceManager::imageFor ("ButtonSamplePlayOffDown"));
    playButton.setOnImages (playOn, ImageResourceManager::imageFor ("ButtonSamplePlayOnDown"));
    playButton.onClick = [this] { commandManager.invokeDirectly (CommandIds::playStop, true); };
    addAndMakeVisible (playButton);

    setUpMenuButton (selectButton, "ButtonSelect", [this] { return createSelectMenu(); });
    setUpMenuButton (editButton, "ButtonEdit", [this] { return createEditMenu(); });
    setUpMenuButton (processButton, "ButtonProcess", [this] { return createProcessMenu(); });

    setUpSwitch (playSelectionSwitch, PreferencesData::audioPlaySelection);
    setUpSwitch (autoPlaySwitch, PreferencesData::targetSampleAutoPlay);
    setUpSwitch (autoScrollSwitch, PreferencesData::waveGraphAutoScroll);

    setUpSlider (startSlider, 87);
    setUpSlider (endSlider, 87);
    setUpSlider (tempoSlider, 51);
    tempoSlider.setRange (minimumBpm, maximumBpm, bpmStep);
    startSlider.onValueChange = [this] { pointSliderChanged (SampleData::start); };
    endSlider.onValueChange = [this] { pointSliderChanged (SampleData::end); };
    tempoSlider.onValueChange = [this]
    {
        editParameter (SampleData::originalBpm, juce::roundToInt (tempoSlider.getValue() * 10.0));
    };

    setUpLabels();
    addAndMakeVisible (leftMeter);
    addAndMakeVisible (rightMeter);

    setSize (editorWidth, initialHeight);
    refresh();

    if (auto* engine = MessageEngine::getInstancePointer())
        engine->addListener (this);
    startTimer (meterTickMs);
}

WaveformEditComponent::~WaveformEditComponent()
{
    stopTimer();
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->removeListener (this);

    for (auto* slider : { &startSlider, &endSlider, &tempoSlider })
        slider->setLookAndFeel (nullptr);
}

void WaveformEditComponent::setUpMenuButton (juce::ImageButton& button, const juce::String& image,
                                             std::function<juce::PopupMenu()> menu)
{
    WaveformImageButton::setImages (button, image);
    button.onClick = [&button, menu = std::move (menu)]
    {
        menu().showMenuAsync (juce::PopupMenu::Options().withTargetComponent (&button));
    };
    addAndMakeVisible (button);
}

void WaveformEditComponent::setUpSwitch (ImageToggleButton& button, int preferenceFlag)
{
    const auto on = ImageResourceManager::imageFor ("ButtonWaveformOn");
    const auto off = ImageResourceManager::imageFor ("ButtonWaveformOff");
    button.setButtonText ("ON");
    button.setOnImages (on, on);
    button.setOffImages (off, off);
    button.onClick = [this, &button, preferenceFlag] { switchClicked (button, preferenceFlag); };
    addAndMakeVisible (button);
}

void WaveformEditComponent::setUpSlider (juce::Slider& slider, int textBoxWidth)
{
    slider.setLookAndFeel (&sliderLook);
    slider.setSliderStyle (juce::Slider::IncDecButtons);
    slider.setTextBoxStyle (juce::Slider::TextBoxLeft, false, textBoxWidth, 20);
    slider.setRange (0.0, 1.0, 1.0);
    addAndMakeVisible (slider);
}

void WaveformEditComponent::setUpLabels()
{
    fileNameLabel.setFont (juce::Font (14.0f));
    fileNameLabel.setJustificationType (juce::Justification::centredLeft);
    rateLabel.setFont (juce::Font ("Arial", 14.0f, juce::Font::plain));
    rateLabel.setJustificationType (juce::Justification::centredRight);
    for (auto* label : { &fileNameLabel, &rateLabel })
    {
        label->setEditable (false, false, false);
        addAndMakeVisible (*label);
    }
}

// The switches show the opposite of their preference's new value until the
// refresh that follows message 1.
void WaveformEditComponent::switchClicked (ImageToggleButton& button, int preferenceFlag)
{
    const auto flag = (PreferencesData::Flag) preferenceFlag;
    const bool on = ! button.getToggleState();
    preferences.setFlag (flag, on);

    auto* players = context.getPlayerManager();
    if (flag == PreferencesData::audioPlaySelection && players != nullptr)
        players->setPlaySelection (on);
    else if (flag == PreferencesData::targetSampleAutoPlay && ! on && players != nullptr)
        players->stop();
    else if (flag == PreferencesData::waveGraphAutoScroll)
        graph.setAutoScroll (on);

    MessageEngine::broadcast (MessageIds::dataChanged);
}

const SampleData* WaveformEditComponent::selectedSample() const
{
    auto* dataCenter = context.getDataCenter();
    if (dataCenter == nullptr)
        return nullptr;
    const auto& bank = dataCenter->getEditBank();
    return &bank.getSample (bank.getSampleSet().getCurrentSampleIndex());
}

// The start stays before the end and the end after the start; both stay
// on the sample's drawn frames.
void WaveformEditComponent::pointSliderChanged (int parameter)
{
    const auto* sample = selectedSample();
    if (sample == nullptr)
        return;

    const int start = sample->getParameter (SampleData::start), end = sample->getParameter (SampleData::end);
    int value = juce::roundToInt ((parameter == SampleData::start ? startSlider : endSlider).getValue());

    if (parameter == SampleData::start && value >= end)
        value = end - 1;
    else if (parameter == SampleData::end && value <= start)
        value = start + 1;

    editParameter (parameter, juce::jlimit (0, juce::jmax (0, sample->getNumFrames() - 2), value));
}

void WaveformEditComponent::editParameter (int parameter, int value)
{
    auto* history = context.getUndoManager();
    auto* dataCenter = context.getDataCenter();
    if (history == nullptr || dataCenter == nullptr)
        return;

    const int index = dataCenter->getEditBank().getSampleSet().getCurrentSampleIndex();
    coalescer.perform (*history, TransactionNames::editSampleParameter,
                       std::make_unique<EditSampleParameterAction> (index, parameter, value));
    MessageEngine::broadcast (MessageIds::dataChanged);
}

void WaveformEditComponent::refresh()
{
    setToggle (playSelectionSwitch, preferences.getFlag (PreferencesData::audioPlaySelection));
    setToggle (autoPlaySwitch, preferences.getFlag (PreferencesData::targetSampleAutoPlay));
    setToggle (autoScrollSwitch, preferences.getFlag (PreferencesData::waveGraphAutoScroll));
    graph.setAutoScroll (preferences.getFlag (PreferencesData::waveGraphAutoScroll));

    if (auto* players = context.getPlayerManager())
        setToggle (playButton, players->isPlaying());

    const auto* sample = selectedSample();
    if (sample == nullptr)
        return;

    fileNameLabel.setText (sample->getSourceFileName(), juce::dontSendNotification);
    refreshSliders (*sample);

    if (const auto rate = rateText (*sample); rate != rateLabel.getText())
        rateLabel.setText (rate, juce::dontSendNotification);
}

// A sample too short for a start and an end leaves the point sliders
// without a range to move in.
void WaveformEditComponent::refreshSliders (const SampleData& sample)
{
    tempoSlider.setValue (sample.getParameter (SampleData::originalBpm) / 10.0, juce::dontSendNotification);

    const int lastFrame = sample.getNumFrames() - 2;
    const int parameters[] = { SampleData::start, SampleData::end };
    juce::Slider* sliders[] = { &startSlider, &endSlider };

    for (int i = 0; i < 2; ++i)
    {
        sliders[i]->setRange (0.0, juce::jmax (1, lastFrame), 1.0);
        sliders[i]->setEnabled (lastFrame >= 1);
        sliders[i]->setValue (sample.getParameter (parameters[i]), juce::dontSendNotification);
    }
}

juce::PopupMenu WaveformEditComponent::commandMenu (std::initializer_list<int> commandIds) const
{
    juce::PopupMenu menu;
    for (const int id : commandIds)
    {
        if (id == 0)
            menu.addSeparator();
        else
            menu.addCommandItem (&commandManager, id);
    }
    return menu;
}

// A 0 in the lists is a separator.
juce::PopupMenu WaveformEditComponent::createSelectMenu() const
{
    return commandMenu ({ CommandIds::selectAll, CommandIds::pointsToSelection, 0, CommandIds::selectionToPoints });
}

juce::PopupMenu WaveformEditComponent::createEditMenu() const
{
    return commandMenu ({ CommandIds::deleteSelection, CommandIds::truncate, CommandIds::silence,
                          CommandIds::fadeIn, CommandIds::fadeOut });
}

juce::PopupMenu WaveformEditComponent::createProcessMenu() const
{
    return commandMenu ({ CommandIds::normalize, 0, CommandIds::convertTo48, CommandIds::convertTo24,
                          CommandIds::convertTo12, CommandIds::convertTo6 });
}

// Reading the peaks resets them on the player's side, atomically.
void WaveformEditComponent::updateMeters()
{
    auto* players = context.getPlayerManager();
    leftMeter.setValue (players != nullptr ? players->getSamplePlayer().takePeakLevel (0) : PeakMeterBar::minimumDb);
    rightMeter.setValue (players != nullptr ? players->getSamplePlayer().takePeakLevel (1) : PeakMeterBar::minimumDb);
}

void WaveformEditComponent::setToggle (ImageToggleButton& button, bool on)
{
    button.setToggleState (on, juce::dontSendNotification);
    button.updateImages();
}

void WaveformEditComponent::paint (juce::Graphics& g)
{
    const auto top = ImageResourceManager::imageFor ("BackgroundWaveformTop");
    const auto loop = ImageResourceManager::imageFor ("BackgroundWaveformLoop");
    const auto bottom = ImageResourceManager::imageFor ("BackgroundWaveformBottom");

    g.drawImageAt (top, 0, 0);
    const int bottomY = getHeight() - bottom.getHeight();
    if (loop.isValid())
        for (int y = top.getHeight(); y < bottomY; y += loop.getHeight())
            g.drawImageAt (loop, 0, y);
    g.drawImageAt (bottom, 0, bottomY);
}

void WaveformEditComponent::resized()
{
    const int h = getHeight();
    const std::pair<juce::Component*, juce::Rectangle<int>> layout[] = {
        { &graph,               { 20, 60, 515, h - 104 } },
        { &playButton,          { 23, 7, 64, 17 } },
        { &selectButton,        { 156, 7, 64, 17 } },
        { &editButton,          { 225, 7, 64, 17 } },
        { &processButton,       { 294, 7, 64, 17 } },
        { &playSelectionSwitch, { 219, 41, 16, 16 } },
        { &autoPlaySwitch,      { 325, 41, 16, 16 } },
        { &autoScrollSwitch,    { 431, 41, 16, 16 } },
        { &startSlider,         { 58, h - 36, 130, 18 } },
        { &endSlider,           { 229, h - 36, 130, 18 } },
        { &tempoSlider,         { 437, h - 36, 93, 18 } },
        { &fileNameLabel,       { 17, 38, 119, 24 } },
        { &rateLabel,           { 144, 38, 64, 24 } },
        { &leftMeter,           { 432, 8, 114, 3 } },
        { &rightMeter,          { 432, 19, 114, 3 } },
    };

    for (auto& [child, bounds] : layout)
        child->setBounds (bounds);
}

void WaveformEditComponent::handleMessage (const juce::Message& message)
{
    auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message);
    if (broadcast == nullptr)
        return;

    if (broadcast->id == MessageIds::dataChanged)
        refresh();
    else if (broadcast->id == MessageIds::samplePlaybackStarted)
        setToggle (playButton, true);
    else if (broadcast->id == MessageIds::samplePlaybackStopped)
    {
        setToggle (playButton, false);
        graph.updatePlayCursor();
    }
}
