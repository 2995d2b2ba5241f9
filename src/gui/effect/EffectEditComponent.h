#pragma once

#include "gui/effect/EffectEditLookAndFeel.h"
#include "gui/effect/EffectParameterEditComponent.h"
#include "gui/widgets/BankEditBaseComponent.h"
#include "gui/widgets/CustomComboBox.h"
#include "history/TransactionCoalescer.h"

#include <array>
#include <memory>

// The effect page: the edit bank's effect type, the parameters on the
// device's two effect knobs and, below, the parameters of the type.
// Receives and transmits the effect through commands 38 and 39.
class EffectEditComponent : public BankEditBaseComponent,
                            private juce::ComboBox::Listener
{
public:
    static constexpr int numKnobs = 2;

    // Both must outlive the page.
    EffectEditComponent (CommandContext& context, juce::ApplicationCommandManager& commandManager);
    ~EffectEditComponent() override;

    void refresh();

    void paint (juce::Graphics&) override;
    void resized() override;
    void handleMessage (const juce::Message&) override;

private:
    void setUpButton (juce::ImageButton& button, const juce::String& text, const juce::String& imagePrefix, int commandId);
    void setUpBox (CustomComboBox& box);
    void comboBoxChanged (juce::ComboBox*) override;
    void changeType();
    void changeKnobAssign (int knob);

    juce::ApplicationCommandManager& commandManager;
    EffectEditLookAndFeel look;
    juce::ImageButton receiveButton { "RECEIVE" }, transmitButton { "TRANSMIT" };
    CustomComboBox typeBox { "effect type" };
    std::array<CustomComboBox, numKnobs> knobBoxes { CustomComboBox ("knob assign 1"), CustomComboBox ("knob assign 2") };
    // The viewport lets go of the panel before the panel goes.
    std::unique_ptr<EffectParameterEditComponent> parameterPanel;
    juce::Viewport viewport { "effect parametr edit" };
    TransactionCoalescer knobCoalescer;
};
