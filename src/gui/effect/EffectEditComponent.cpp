#include "gui/effect/EffectEditComponent.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "commands/CommandContext.h"
#include "commands/CommandIds.h"
#include "data/DataCenter.h"
#include "gui/effect/FxKnobAssignTable.h"
#include "gui/widgets/PageSkin.h"
#include "history/ParameterActions.h"
#include "history/TransactionNames.h"

#include <utility>

namespace
{
constexpr int pageWidth = 560, pageHeight = 400;
constexpr int viewportTop = 113, viewportBottomMargin = 19;
}

EffectEditComponent::EffectEditComponent (CommandContext& commandContext, juce::ApplicationCommandManager& commands)
    : BankEditBaseComponent ("EffectEdit", commandContext), commandManager (commands)
{
    setUpButton (receiveButton, "RECEIVE", "ButtonReceive", CommandIds::receiveEffect);
    setUpButton (transmitButton, "TRANSMIT", "ButtonTransmit", CommandIds::transmitEffect);

    setUpBox (typeBox);
    if (auto* dataCenter = context.getDataCenter())
        for (int type = 0; type < EffectParameterTable::numTypes; ++type)
            typeBox.addItem (dataCenter->getEffectAccessor().getTypeName (type), type + 1);

    for (auto& box : knobBoxes)
        setUpBox (box);

    parameterPanel = std::make_unique<EffectParameterEditComponent> (context, look);
    viewport.setScrollBarsShown (true, false);
    viewport.setViewedComponent (parameterPanel.get(), false);
    addAndMakeVisible (viewport);

    setSize (pageWidth, pageHeight);
    refresh();
}

EffectEditComponent::~EffectEditComponent()
{
    typeBox.removeListener (this);
    for (auto& box : knobBoxes)
        box.removeListener (this);
}

void EffectEditComponent::setUpButton (juce::ImageButton& button, const juce::String& text,
                                       const juce::String& imagePrefix, int commandId)
{
    button.setButtonText (text);
    PageSkin::setButtonImages (button, imagePrefix, imagePrefix + "Down");
    button.setCommandToTrigger (&commandManager, commandId, true);
    addAndMakeVisible (button);
}

void EffectEditComponent::setUpBox (CustomComboBox& box)
{
    box.setLookAndFeel (&look);
    box.setEditableText (false);
    box.setJustificationType (juce::Justification::centredLeft);
    box.setTextWhenNoChoicesAvailable ("(no choices)");
    box.addListener (this);
    addAndMakeVisible (box);
}

void EffectEditComponent::refresh()
{
    auto* dataCenter = context.getDataCenter();
    if (dataCenter == nullptr)
        return;

    const auto& effect = dataCenter->getEditBank().getEffect();
    const auto& accessor = dataCenter->getEffectAccessor();
    const FxKnobAssignTable assignable (accessor, effect);

    typeBox.setSelectedId (effect.getType() + 1, juce::dontSendNotification);

    for (int knob = 0; knob < numKnobs; ++knob)
    {
        auto& box = knobBoxes[(size_t) knob];
        box.clear (juce::dontSendNotification);

        for (int position = 0; position < assignable.getCount(); ++position)
            box.addItem (assignable.getParameterName (position), position + 1);

        box.setSelectedId (assignable.findPosition (accessor.getKnobAssign (effect, knob)) + 1, juce::dontSendNotification);
        box.setEnabled (effect.getType() != 0);
    }
}

void EffectEditComponent::comboBoxChanged (juce::ComboBox* box)
{
    if (box == &typeBox)
        changeType();

    for (int knob = 0; knob < numKnobs; ++knob)
        if (box == &knobBoxes[(size_t) knob])
            changeKnobAssign (knob);
}

void EffectEditComponent::changeType()
{
    if (auto* history = context.getUndoManager())
    {
        history->beginNewTransaction (TransactionNames::editEffectParameter);
        history->perform (new EditEffectParameterAction (EditEffectParameterAction::effectType, 0,
                                                         typeBox.getSelectedItemIndex()));
    }
}

// The table is made afresh: the list shown may be older than the effect.
void EffectEditComponent::changeKnobAssign (int knob)
{
    auto* dataCenter = context.getDataCenter();
    auto* history = context.getUndoManager();
    if (dataCenter == nullptr || history == nullptr)
        return;

    const FxKnobAssignTable assignable (dataCenter->getEffectAccessor(), dataCenter->getEditBank().getEffect());
    const int slot = assignable.getSlot (knobBoxes[(size_t) knob].getSelectedItemIndex());

    knobCoalescer.perform (*history, TransactionNames::editEffectParameter,
                           std::make_unique<EditEffectParameterAction> (EditEffectParameterAction::knobAssign, knob, slot));
}

void EffectEditComponent::paint (juce::Graphics& g)
{
    PageSkin::paintBackground (g, getLocalBounds(), "BackgroundEffect");
}

void EffectEditComponent::resized()
{
    const std::pair<juce::Component*, juce::Rectangle<int>> layout[] = {
        { &receiveButton,  { 24, 28, 64, 17 } },
        { &transmitButton, { 24, 52, 64, 17 } },
        { &typeBox,        { 123, 26, 153, 20 } },
        { &knobBoxes[0],   { 303, 26, 153, 20 } },
        { &knobBoxes[1],   { 303, 62, 153, 20 } },
        { &viewport,       { 6, viewportTop, 543, getHeight() - viewportTop - viewportBottomMargin } },
    };

    for (auto& [child, bounds] : layout)
        child->setBounds (bounds);
}

void EffectEditComponent::handleMessage (const juce::Message& message)
{
    if (auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message);
        broadcast != nullptr && broadcast->id == MessageIds::dataChanged)
        refresh();
}
