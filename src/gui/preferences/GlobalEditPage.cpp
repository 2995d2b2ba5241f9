#include "gui/preferences/GlobalEditPage.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "commands/CommandContext.h"
#include "commands/CommandIds.h"
#include "data/DataCenter.h"
#include "data/GlobalData.h"
#include "resources/CZQVResource.h"

#include <iterator>

struct GlobalEditPage::Row
{
    const char* label;
    juce::Rectangle<int> labelBounds;
    juce::Rectangle<int> boxBounds;
    int field;
    juce::StringArray values;
};

namespace
{
juce::StringArray midiChannels()
{
    juce::StringArray channels;
    for (int channel = 1; channel <= 16; ++channel)
        channels.add (juce::String (channel));
    return channels;
}
}

const GlobalEditPage::Row GlobalEditPage::rows[] = {
    { "Metronome",             { 27, 33, 141, 24 },  { 168, 32, 96, 24 },  GlobalData::metronome,
      { "Off", "Rec 0", "Rec 1", "Rec 2", "On" } },
    { "LCD Backlight mode",    { 27, 73, 141, 24 },  { 168, 72, 96, 24 },  GlobalData::lcdBacklight, { "Off", "Auto", "On" } },
    { "Audio in mode",         { 27, 113, 141, 25 }, { 168, 112, 96, 24 }, GlobalData::audioInMode, { "L/Mono", "Stereo" } },
    { "Pattern change mode",   { 27, 153, 141, 24 }, { 168, 152, 96, 24 }, GlobalData::patternChange,
      { "Pattern End", "Bar Line" } },
    { "Audio in level",        { 27, 193, 141, 24 }, { 168, 192, 96, 24 }, GlobalData::audioInLevel,
      { "+0dB", "+6dB", "+12dB" } },
    { "Start trim",            { 27, 273, 157, 24 }, { 168, 272, 96, 24 }, GlobalData::startTrim,
      { "Off", "50ms", "100ms", "150ms", "200ms" } },
    { "End trim",              { 27, 313, 157, 24 }, { 168, 312, 96, 24 }, GlobalData::endTrim,
      { "Off", "10ms", "30ms", "50ms", "100ms" } },
    { "Global MIDI channel",   { 315, 33, 157, 24 }, { 472, 32, 96, 24 },  GlobalData::globalMidiChannel, midiChannels() },
    { "Keyboard MIDI channel", { 315, 73, 157, 24 }, { 472, 72, 96, 24 },  GlobalData::keyboardMidiChannel, midiChannels() },
    { "MIDI Local control",    { 315, 113, 157, 24 }, { 472, 112, 96, 24 }, GlobalData::localControl, { "Off", "On" } },
    { "MIDI Routing",          { 315, 153, 157, 24 }, { 472, 152, 96, 24 }, GlobalData::midiRouting,
      { "USB+MIDI", "USB", "MIDI" } },
    { "MIDI Clock",            { 315, 193, 157, 24 }, { 472, 192, 96, 24 }, GlobalData::midiClock,
      { "Auto", "Internal", "External USB", "External MIDI" } },
};

GlobalEditPage::GlobalEditPage (CommandContext& commandContext, juce::ApplicationCommandManager& commandManager)
    : PreferencesBaseComponent ("GlobalEdit"), context (commandContext), commands (commandManager)
{
    commonFrame.setBounds (8, 0, 280, 240);
    midiFrame.setBounds (296, 0, 288, 240);
    trimmingFrame.setBounds (8, 240, 280, 120);
    for (auto* frame : { &commonFrame, &midiFrame, &trimmingFrame })
        addAndMakeVisible (frame);

    for (size_t i = 0; i < std::size (rows); ++i)
    {
        auto& box = *boxes.emplace_back (std::make_unique<CustomComboBox> (rows[i].label));
        styleValueBox (box);
        box.addItemList (rows[i].values, 1);
        box.setBounds (rows[i].boxBounds);
        box.onChange = [this, i] { choose (i); };
        // The device's routing is shown but not changed here.
        box.setEnabled (rows[i].field != GlobalData::midiRouting);
        addAndMakeVisible (box);
    }

    memoryProtectToggle.setButtonText ("Memory protect");
    memoryProtectToggle.setColour (juce::ToggleButton::textColourId, juce::Colours::black);
    memoryProtectToggle.setBounds (448, 248, 136, 24);
    memoryProtectToggle.setEnabled (false);
    addAndMakeVisible (memoryProtectToggle);

    setUpButtons();
    setSize (pageWidth, pageHeight);
    refresh();
}

void GlobalEditPage::setUpButtons()
{
    receiveButton.setButtonText (CZQVResource::text ("Preferences_Global_Receive"));
    receiveButton.setCommandToTrigger (&commands, CommandIds::receiveGlobal, false);
    receiveButton.setBounds (408, 296, 168, 24);
    addAndMakeVisible (receiveButton);

    writeButton.setButtonText (CZQVResource::text ("Preferences_Global_Write"));
    writeButton.setCommandToTrigger (&commands, CommandIds::writeGlobal, false);
    writeButton.setBounds (408, 328, 168, 24);
    addAndMakeVisible (writeButton);

    fileButton.setButtonText (CZQVResource::text ("Preferences_Global_FileMenu"));
    fileButton.setBounds (304, 328, 72, 24);
    fileButton.onClick = [this]
    {
        createFileMenu().showMenuAsync (juce::PopupMenu::Options().withTargetComponent (&fileButton));
    };
    addAndMakeVisible (fileButton);
}

juce::PopupMenu GlobalEditPage::createFileMenu() const
{
    juce::PopupMenu menu;
    menu.addCommandItem (&commands, CommandIds::initGlobal);
    menu.addSeparator();
    menu.addCommandItem (&commands, CommandIds::loadGlobal);
    menu.addCommandItem (&commands, CommandIds::saveGlobal);
    return menu;
}

void GlobalEditPage::paint (juce::Graphics& g)
{
    PreferencesBaseComponent::paint (g);
    g.setColour (juce::Colours::black);
    g.setFont (juce::Font (15.0f, juce::Font::plain));

    for (auto& row : rows)
        g.drawText (row.label, row.labelBounds, juce::Justification::centredLeft);
}

GlobalData* GlobalEditPage::getGlobalData() const
{
    auto* dataCenter = context.getDataCenter();
    return dataCenter != nullptr ? &dataCenter->getGlobalData() : nullptr;
}

void GlobalEditPage::refresh()
{
    auto* global = getGlobalData();
    if (global == nullptr)
        return;

    for (size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setSelectedItemIndex (global->getField (rows[i].field), juce::dontSendNotification);

    memoryProtectToggle.setToggleState (global->getField (GlobalData::memoryProtect) != 0, juce::dontSendNotification);
}

void GlobalEditPage::handleBroadcast (int messageId)
{
    if (messageId == MessageIds::dataChanged)
        refresh();
}

// The field keeps what fits its bits; the box shows what was kept.
void GlobalEditPage::choose (size_t row)
{
    auto* global = getGlobalData();
    if (global == nullptr)
        return;

    auto& box = *boxes[row];
    global->setField (rows[row].field, box.getSelectedItemIndex());

    const int stored = global->getField (rows[row].field);
    if (stored != box.getSelectedItemIndex())
        box.setSelectedItemIndex (stored, juce::dontSendNotification);

    MessageEngine::broadcast (MessageIds::dataChanged);
}
