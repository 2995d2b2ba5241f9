#include "gui/main/BankCommonComponent.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "commands/CommandContext.h"
#include "data/DataCenter.h"
#include "device/UsbSessionManager.h"
#include "gui/widgets/FontManager.h"
#include "gui/widgets/ImageResourceManager.h"
#include "history/ParameterActions.h"
#include "history/TransactionNames.h"

#include <utility>

namespace
{
constexpr int sampleBarCapacity = 468;    // units of 32768 bytes: a bank's sample memory
constexpr int patternBarCapacity = 176;   // pages of 2048 bytes: a bank's pattern memory
constexpr double minimumBpm = 20.0, maximumBpm = 300.0, bpmStep = 0.1;
}

BankCommonComponent::BankCommonComponent (CommandContext& commandContext)
    : context (commandContext),
      sampleBar ("SampleMemoryBar", *this, SampleSet::numSamples, sampleBarCapacity),
      patternBar ("PatternMemoryBar", *this, SequenceSet::numPatterns, patternBarCapacity)
{
    setUpTab (sampleTab, "EDIT SAMPLES", "TabSample", CommandGui::samplePage);
    setUpTab (effectTab, "EFFECTS", "TabEffect", CommandGui::effectPage);
    setUpTab (patternTab, "PATTERN", "TabPattern", CommandGui::patternPage);

    addAndMakeVisible (sampleBar);
    addAndMakeVisible (patternBar);

    const auto connected = ImageResourceManager::imageFor ("ButtonConnected");
    const auto disconnected = ImageResourceManager::imageFor ("ButtonDisconnected");
    connectionIndicator.setButtonText ("CONNECTED");
    connectionIndicator.setOnImages (connected, connected);
    connectionIndicator.setOffImages (disconnected, disconnected);
    addAndMakeVisible (connectionIndicator);

    setUpTempoSlider();
    setUpNameLabel();

    setSize (stripWidth, stripHeight);
    refresh();
    refreshConnection();

    if (auto* engine = MessageEngine::getInstancePointer())
        engine->addListener (this);
}

BankCommonComponent::~BankCommonComponent()
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->removeListener (this);

    tempoSlider.setLookAndFeel (nullptr);
}

void BankCommonComponent::setUpTab (ImageToggleButton& tab, const juce::String& text, const juce::String& imagePrefix, int page)
{
    const auto on = ImageResourceManager::imageFor (imagePrefix + "On");
    const auto off = ImageResourceManager::imageFor (imagePrefix + "Off");
    tab.setButtonText (text);
    tab.setOnImages (on, on);
    tab.setOffImages (off, off);
    tab.onClick = [this, page]
    {
        if (getCurrentPage() != page)
            context.setCurrentPage (page);
    };
    addAndMakeVisible (tab);
}

void BankCommonComponent::setUpTempoSlider()
{
    tempoSlider.setLookAndFeel (&tempoLook);
    tempoSlider.setSliderStyle (juce::Slider::IncDecButtons);
    tempoSlider.setRange (minimumBpm, maximumBpm, bpmStep);
    tempoSlider.setTextBoxStyle (juce::Slider::TextBoxLeft, false, 50, 18);
    tempoSlider.onValueChange = [this]
    {
        editBankParameter (EditBankParameterAction::tempo, (int) (tempoSlider.getValue() * 10.0 + 0.5), {});
    };
    addAndMakeVisible (tempoSlider);
}

void BankCommonComponent::setUpNameLabel()
{
    nameLabel.setEditable (true, false, false);
    nameLabel.setFont (FontManager::fontFor ("BankNameLabel"));
    nameLabel.setJustificationType (juce::Justification::centred);
    // Light on the strip's dark name field.
    nameLabel.setColour (juce::Label::textColourId, juce::Colours::white);
    nameLabel.setColour (juce::Label::textWhenEditingColourId, juce::Colours::white);
    nameLabel.setColour (juce::TextEditor::textColourId, juce::Colours::white);
    nameLabel.setColour (juce::TextEditor::backgroundColourId, juce::Colours::transparentBlack);
    nameLabel.setColour (juce::Label::backgroundWhenEditingColourId, juce::Colours::transparentBlack);
    // The bank's name rule decides what is kept; the refresh shows it.
    nameLabel.onTextChange = [this] { editBankParameter (EditBankParameterAction::bankName, 0, nameLabel.getText()); };
    addAndMakeVisible (nameLabel);
}

void BankCommonComponent::editBankParameter (int kind, int value, const juce::String& name)
{
    if (auto* history = context.getUndoManager())
    {
        history->beginNewTransaction (TransactionNames::editBankParameter);
        history->perform (new EditBankParameterAction (kind, value, name));
    }
}

void BankCommonComponent::refresh()
{
    sampleBar.update();
    patternBar.update();

    if (auto* dataCenter = context.getDataCenter())
    {
        const auto& bank = dataCenter->getEditBank();
        nameLabel.setText (bank.getName(), juce::dontSendNotification);
        tempoSlider.setValue (bank.getTempo() / 10.0, juce::dontSendNotification);
    }

    const int page = getCurrentPage();
    setToggle (sampleTab, page == CommandGui::samplePage);
    setToggle (effectTab, page == CommandGui::effectPage);
    setToggle (patternTab, page == CommandGui::patternPage);
}

// Only on the session manager's events: the answer is a request to the
// device, too slow for every edit's refresh on the message thread.
void BankCommonComponent::refreshConnection()
{
    setToggle (connectionIndicator, isDeviceConnected());
}

void BankCommonComponent::setToggle (ImageToggleButton& button, bool on)
{
    button.setToggleState (on, juce::dontSendNotification);
    button.updateImages();
}

int BankCommonComponent::getCurrentPage() const
{
    auto* gui = context.getCommandGui();
    return gui != nullptr ? gui->getCurrentPage() : CommandGui::noPage;
}

// Asks the device for its identifier.
bool BankCommonComponent::isDeviceConnected() const
{
    auto* sessions = context.getSessionManager();
    return sessions != nullptr && sessions->isDeviceConnected();
}

void BankCommonComponent::paint (juce::Graphics& g)
{
    g.drawImageAt (ImageResourceManager::imageFor ("BackgroundBankCommon"), 0, 0);
}

void BankCommonComponent::resized()
{
    const std::pair<juce::Component*, juce::Rectangle<int>> layout[] = {
        { &sampleTab,           { 0, 58, 120, 22 } },
        { &effectTab,           { 121, 58, 120, 22 } },
        { &patternTab,          { 242, 58, 120, 22 } },
        { &sampleBar,           { 290, 12, 110, 11 } },
        { &patternBar,          { 290, 33, 110, 11 } },
        { &connectionIndicator, { 516, 11, 36, 36 } },
        { &tempoSlider,         { 461, 55, 91, 24 } },
        { &nameLabel,           { 108, 13, 122, 30 } },
    };

    for (auto& [child, bounds] : layout)
        child->setBounds (bounds);
}

void BankCommonComponent::handleMessage (const juce::Message& message)
{
    auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message);
    if (broadcast == nullptr)
        return;

    if (broadcast->id == MessageIds::dataChanged || broadcast->id == MessageIds::sessionManagerEvent)
        refresh();

    if (broadcast->id == MessageIds::sessionManagerEvent)
        refreshConnection();
}

bool BankCommonComponent::isSegmentHighlighted (const MemorySizeBar& bar, int segment) const
{
    auto* dataCenter = context.getDataCenter();
    if (dataCenter == nullptr)
        return false;

    if (&bar == &sampleBar)
        return getCurrentPage() == CommandGui::samplePage
            && segment == dataCenter->getEditBank().getSampleSet().getCurrentSampleIndex();

    return getCurrentPage() == CommandGui::patternPage && segment == context.getCurrentPattern();
}

int BankCommonComponent::getSegmentSize (const MemorySizeBar& bar, int segment) const
{
    auto* dataCenter = context.getDataCenter();
    if (dataCenter == nullptr)
        return 0;

    const auto& bank = dataCenter->getEditBank();
    if (&bar == &sampleBar)
        return (int) (bank.getSample (segment).getMemorySize() / SampleData::memoryGranule);

    auto* pattern = bank.getPattern (segment);
    return pattern != nullptr ? juce::jmax (0, pattern->getMemoryUsed() / SequenceData::memoryGranule - 1) : 0;
}
