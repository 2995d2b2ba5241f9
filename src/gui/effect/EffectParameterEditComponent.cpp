#include "gui/effect/EffectParameterEditComponent.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "commands/CommandContext.h"
#include "data/DataCenter.h"
#include "gui/effect/EffectParameterKnob.h"
#include "gui/effect/EffectPopupParameterKnob.h"
#include "history/ParameterActions.h"
#include "history/TransactionNames.h"
#include "prefs/PreferencesData.h"

namespace
{
constexpr int cellWidth = 173, firstCellX = 17, firstCellY = 13;
}

EffectParameterEditComponent::EffectParameterEditComponent (CommandContext& commandContext, juce::LookAndFeel& look)
    : juce::Component ("EffectParameterEdit"), context (commandContext), controlLook (look)
{
    setSize (panelWidth, verticalMargin);
    refresh();

    if (auto* engine = MessageEngine::getInstancePointer())
        engine->addListener (this);
}

EffectParameterEditComponent::~EffectParameterEditComponent()
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->removeListener (this);
}

void EffectParameterEditComponent::handleMessage (const juce::Message& message)
{
    auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message);
    if (broadcast == nullptr)
        return;

    if (broadcast->id == MessageIds::dataChanged)
        refresh();
    else if (broadcast->id == MessageIds::preferencesChanged)
        applyKnobMode();
}

EffectParameterBaseKnob* EffectParameterEditComponent::getControl (int slot) const
{
    return slot >= 0 && slot < (int) controls.size() ? controls[(size_t) slot].get() : nullptr;
}

juce::Rectangle<int> EffectParameterEditComponent::cellBounds (int cell)
{
    return { EffectParameterLayout::columnOf (cell) * cellWidth + firstCellX,
             EffectParameterLayout::rowOf (cell) * rowHeight + firstCellY,
             EffectParameterBaseKnob::width, EffectParameterBaseKnob::height };
}

void EffectParameterEditComponent::refresh()
{
    auto* dataCenter = context.getDataCenter();
    if (dataCenter == nullptr)
        return;

    const auto& effect = dataCenter->getEditBank().getEffect();
    const auto& accessor = dataCenter->getEffectAccessor();

    if (effect.getType() != builtType)
        rebuild (effect.getType());

    for (auto& control : controls)
    {
        if (control == nullptr)
            continue;

        const int slot = control->getSlot();

        if (const auto name = accessor.getParameterName (effect, slot); name != control->getDisplayName())
            control->setDisplayName (name);

        const int minimum = accessor.getMinimum (effect, slot), maximum = accessor.getMaximum (effect, slot);
        if (minimum != (int) control->getMinimum() || maximum != (int) control->getMaximum())
            control->setParameterRange (minimum, maximum);

        control->setValue (accessor.getValue (effect, slot), juce::dontSendNotification);
        control->setVisible (accessor.isActive (effect, slot));
    }
}

void EffectParameterEditComponent::rebuild (int effectType)
{
    builtType = effectType;
    layout = std::make_unique<TabledEffectParameterLayout> (effectType);
    int lastRow = -1;

    for (int slot = 0; slot < (int) controls.size(); ++slot)
    {
        auto& control = controls[(size_t) slot];
        control = createControl (slot);

        if (control == nullptr)
            continue;

        const int cell = layout->getCell (slot);
        lastRow = juce::jmax (lastRow, EffectParameterLayout::rowOf (cell));
        control->setBounds (cellBounds (cell));
        addChildComponent (*control);
    }

    applyKnobMode();
    setSize (panelWidth, rowHeight * (lastRow + 1) + verticalMargin);
}

std::unique_ptr<EffectParameterBaseKnob> EffectParameterEditComponent::createControl (int slot)
{
    auto* dataCenter = context.getDataCenter();
    const auto& effect = dataCenter->getEditBank().getEffect();
    const auto& accessor = dataCenter->getEffectAccessor();
    const auto* info = accessor.getParameterInfo (effect, slot);

    if (info == nullptr || ! info->exists)
        return nullptr;

    const double minimum = accessor.getMinimum (effect, slot), maximum = accessor.getMaximum (effect, slot);
    std::unique_ptr<EffectParameterBaseKnob> control;

    if (info->control == EffectControl::Knob)
        control = std::make_unique<EffectParameterKnob> (slot, &accessor, effect, minimum, maximum);
    else if (info->control == EffectControl::List || info->control == EffectControl::Switch)
        control = std::make_unique<EffectPopupParameterKnob> (slot, &accessor, effect, minimum, maximum);
    else
        return nullptr;

    control->setDisplayName (accessor.getParameterName (effect, slot));
    control->setLookAndFeel (&controlLook);
    control->addListener (this);
    return control;
}

void EffectParameterEditComponent::applyKnobMode()
{
    auto* preferences = PreferencesData::getInstancePointer();
    const int mode = preferences != nullptr ? preferences->getNumber (PreferencesData::knobMode) : 0;

    for (auto& control : controls)
        if (control != nullptr)
            control->setKnobMode (mode);
}

void EffectParameterEditComponent::parameterKnobChanged (ParameterKnob& knob)
{
    if (auto* history = context.getUndoManager())
        coalescer.perform (*history, TransactionNames::editEffectParameter,
                           std::make_unique<EditEffectParameterAction> (EditEffectParameterAction::effectParameter,
                                                                        knob.getParameterId(), (int) knob.getValue()));
}
