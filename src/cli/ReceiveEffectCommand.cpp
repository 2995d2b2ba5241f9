#include "cli/CliCommand.h"
#include "cli/DeviceCommand.h"
#include "data/EffectParameterAccessor.h"
#include "device/EffectTransfers.h"
#include "resources/StringTable.h"

namespace
{
// Receives the effect of the device's current bank and prints it.
class ReceiveEffectCommand : public CliCommand
{
public:
    juce::String getName() const override { return "receive-effect"; }
    juce::String getSummary() const override { return "receive the device's effect and print it"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli [--device DEVICE] receive-effect [--json]\n\n"
               "Receives the master effect of the device's current bank and prints its\n"
               "type, the parameters its two knobs control and every parameter in use\n"
               "with its value and the text the editor shows for it.";
    }

    int run (CliContext& context) override
    {
        if (! context.arguments.isEmpty())
            return CliReport::usageError (context, *this, "receive-effect takes no arguments");

        auto session = std::make_unique<EffectReceive>();
        auto* receive = session.get();

        return DeviceCommand::run (context, *this, std::move (session), [&]
        {
            const StringTable strings ("ParameterStrings");
            const EffectParameterAccessor accessor (strings);
            return describe (accessor, receive->getReceivedEffect());
        });
    }

private:
    static DeviceCommand::Outcome describe (const EffectParameterAccessor& accessor, const EffectData& effect)
    {
        DeviceCommand::Outcome outcome;
        auto& facts = *outcome.facts;
        facts.setProperty ("type", effect.getType());
        facts.setProperty ("typeName", accessor.getTypeName (effect.getType()));
        outcome.text << "Type " << effect.getType() << ": " << accessor.getTypeName (effect.getType()) << "\n";

        juce::Array<juce::var> knobs;
        for (int knob = 0; knob < 2; ++knob)
        {
            const int slot = accessor.getKnobAssign (effect, knob);
            juce::DynamicObject::Ptr assignment (new juce::DynamicObject());
            assignment->setProperty ("slot", slot);
            assignment->setProperty ("name", accessor.getParameterName (effect, slot));
            knobs.add (juce::var (assignment.get()));
            outcome.text << "Knob " << knob + 1 << ": " << accessor.getParameterName (effect, slot) << " (slot " << slot << ")\n";
        }
        facts.setProperty ("knobs", knobs);

        juce::Array<juce::var> parameters;
        for (int slot = 0; slot < EffectData::numSlots; ++slot)
        {
            const auto* info = accessor.getParameterInfo (effect, slot);
            if (info == nullptr || ! info->exists || ! accessor.isActive (effect, slot))
                continue;

            const int value = accessor.getValue (effect, slot);
            const auto text = accessor.formatValue (effect, slot, value);
            juce::DynamicObject::Ptr parameter (new juce::DynamicObject());
            parameter->setProperty ("slot", slot);
            parameter->setProperty ("name", info->name);
            parameter->setProperty ("value", value);
            parameter->setProperty ("text", text);
            parameters.add (juce::var (parameter.get()));
            outcome.text << "  " << juce::String (slot).paddedLeft (' ', 2) << " " << info->name << ": " << text << "\n";
        }
        facts.setProperty ("parameters", parameters);
        return outcome;
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<ReceiveEffectCommand>(); });
}
