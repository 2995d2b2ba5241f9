#pragma once

#include "gui/effect/EffectParameterBaseKnob.h"
#include "gui/effect/TabledEffectParameterLayout.h"
#include "history/TransactionCoalescer.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

class CommandContext;

// The controls of the edit bank's effect parameters, one per slot of the
// effect's type, in the cells of the type's layout. Rebuilt whenever the
// effect's type differs from the one it was built for; every turn of a
// control is an undoable edit, one undo step per drag.
class EffectParameterEditComponent : public juce::Component,
                                     public juce::MessageListener,
                                     private ParameterKnobListener
{
public:
    static constexpr int panelWidth = 520;
    static constexpr int rowHeight = 50;
    static constexpr int verticalMargin = 26;

    // The context and the look must outlive the panel. It listens to the
    // message engine for as long as it lives.
    EffectParameterEditComponent (CommandContext& context, juce::LookAndFeel& controlLook);
    ~EffectParameterEditComponent() override;

    // Messages 1 (refresh) and 4 (knob mode).
    void handleMessage (const juce::Message&) override;

    void refresh();

    // Null for a slot without a control.
    EffectParameterBaseKnob* getControl (int slot) const;

private:
    void rebuild (int effectType);
    std::unique_ptr<EffectParameterBaseKnob> createControl (int slot);
    void applyKnobMode();
    void parameterKnobChanged (ParameterKnob& knob) override;

    static juce::Rectangle<int> cellBounds (int cell);

    CommandContext& context;
    juce::LookAndFeel& controlLook;
    int builtType = -1;
    std::unique_ptr<TabledEffectParameterLayout> layout;
    std::array<std::unique_ptr<EffectParameterBaseKnob>, TabledEffectParameterLayout::numLaidOutSlots> controls;
    TransactionCoalescer coalescer;
};
