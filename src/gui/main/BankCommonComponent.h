#pragma once

#include "gui/main/BankCommonLookAndFeel.h"
#include "gui/main/MemorySizeBar.h"
#include "gui/main/MemorySizeBarModel.h"
#include "gui/widgets/ImageToggleButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

class CommandContext;

// The strip across the top of the bank page, 560 × 80: the edited bank's
// name and tempo, the memory its samples and patterns take, the device
// connection, and the tabs that choose the page below. Refreshes from the
// data on messages 1 and 28; edits of name and tempo are undoable.
class BankCommonComponent : public juce::Component,
                            public juce::MessageListener,
                            public MemorySizeBarModel
{
public:
    static constexpr int stripWidth = 560;
    static constexpr int stripHeight = 80;

    // The context must outlive the strip. Listens to the message engine
    // when it exists.
    explicit BankCommonComponent (CommandContext& context);
    ~BankCommonComponent() override;

    // The bars, name, tempo and tabs (messages 1 and 28); the connection
    // indicator only on message 28 and at construction.
    void refresh();
    void refreshConnection();

    void paint (juce::Graphics&) override;
    void resized() override;
    void handleMessage (const juce::Message&) override;

    // MemorySizeBarModel: samples in units of 32768 bytes, patterns in
    // pages of 2048 bytes beyond the first.
    bool isSegmentHighlighted (const MemorySizeBar& bar, int segment) const override;
    int getSegmentSize (const MemorySizeBar& bar, int segment) const override;

private:
    void setUpTab (ImageToggleButton& tab, const juce::String& text, const juce::String& imagePrefix, int page);
    void setUpTempoSlider();
    void setUpNameLabel();
    void editBankParameter (int kind, int value, const juce::String& name);
    int getCurrentPage() const;
    bool isDeviceConnected() const;
    static void setToggle (ImageToggleButton& button, bool on);

    CommandContext& context;
    BankCommonLookAndFeel tempoLook;
    ImageToggleButton sampleTab { "SampleTab" }, effectTab { "EffectTab" }, patternTab { "PatternTab" };
    MemorySizeBar sampleBar, patternBar;
    ImageToggleButton connectionIndicator { "ConnectionIndicator" };
    juce::Slider tempoSlider { "Tempo" };
    juce::Label nameLabel { "BankName" };
};
