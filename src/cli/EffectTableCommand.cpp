#include "cli/CliCommand.h"
#include "data/EffectParameterAccessor.h"
#include "resources/StringTable.h"

#include <ostream>

namespace
{
const char* controlName (EffectControl control)
{
    switch (control)
    {
        case EffectControl::Knob:   return "knob";
        case EffectControl::List:   return "list";
        case EffectControl::Switch: return "switch";
        case EffectControl::None:   break;
    }
    return "none";
}

// Prints the effect type table with the display texts of every parameter's
// minimum, default and maximum.
class EffectTableCommand : public CliCommand
{
public:
    juce::String getName() const override { return "effect-table"; }
    juce::String getSummary() const override { return "print the table of effect types and parameters"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli effect-table [--json]\n\n"
               "Prints the 22 effect types: name, default knob assignments, the\n"
               "switches that activate parameters, and for each used parameter slot\n"
               "its name, range, stored-byte offset, knob assignability, control,\n"
               "default, display format and the texts shown for its minimum, default\n"
               "and maximum. --json prints a JSON array with one object per type.";
    }

    int run (CliContext& context) override
    {
        if (! context.arguments.isEmpty())
            return CliReport::usageError (context, *this, "effect-table takes no arguments");

        const StringTable strings ("ParameterStrings");
        const EffectParameterAccessor accessor (strings);
        juce::Array<juce::var> types;

        for (int type = 0; type < EffectParameterTable::numTypes; ++type)
            types.add (describeType (accessor, type));

        if (context.json)
            CliReport::printJson (context, types);
        else
            context.out << asText (types).toStdString();

        return CliExit::success;
    }

private:
    // One heading per type and one line per parameter:
    //   slot name range default control knob-assignability format: min | default | max
    static juce::String asText (const juce::Array<juce::var>& types)
    {
        juce::String text;

        for (const auto& type : types)
        {
            text << "Type " << type["type"].toString() << ": \"" << type["name"].toString() << "\""
                 << "  knobs " << type["knob1Default"].toString() << ", " << type["knob2Default"].toString();

            for (const auto& rule : type["rules"].getDynamicObject()->getProperties())
            {
                text << "; " << rule.name.toString() << " on " << rule.value["controller"].toString();
                if (rule.value.hasProperty ("first"))
                    text << " (" << rule.value["first"].toString() << "/" << rule.value["second"].toString() << ")";
            }
            text << "\n";

            for (const auto& p : *type["parameters"].getArray())
            {
                const auto range = p["minimum"].toString() + ".." + p["maximum"].toString();
                text << "  " << p["slot"].toString().paddedLeft (' ', 2) << " "
                     << p["name"].toString().paddedRight (' ', 22)
                     << range.paddedRight (' ', 9)
                     << ("default " + p["default"].toString()).paddedRight (' ', 12)
                     << p["control"].toString().paddedRight (' ', 7)
                     << ((bool) p["assignable"] ? "assignable " : "fixed      ")
                     << p["format"].toString() << ": " << p["texts"]["minimum"].toString()
                     << " | " << p["texts"]["default"].toString() << " | " << p["texts"]["maximum"].toString() << "\n";
            }
        }
        return text;
    }

    static juce::var describeRule (const EffectSwitchRule& rule, bool withTwins)
    {
        juce::DynamicObject::Ptr object (new juce::DynamicObject());
        object->setProperty ("controller", rule.controller);
        if (withTwins)
        {
            object->setProperty ("first", rule.first);
            object->setProperty ("second", rule.second);
        }
        return object.get();
    }

    static juce::var describeRules (const EffectTypeInfo& info)
    {
        juce::DynamicObject::Ptr rules (new juce::DynamicObject());
        if (info.timeSyncRule.active)
            rules->setProperty ("timeSync", describeRule (info.timeSyncRule, true));
        if (info.lfoSyncRule.active)
            rules->setProperty ("lfoSync", describeRule (info.lfoSyncRule, true));
        if (info.keySyncRule.active)
            rules->setProperty ("keySync", describeRule (info.keySyncRule, false));
        return rules.get();
    }

    static juce::var describeParameter (const EffectParameterAccessor& accessor, const EffectData& effect,
                                        int slot, const EffectParameterInfo& info)
    {
        juce::DynamicObject::Ptr texts (new juce::DynamicObject());
        texts->setProperty ("minimum", accessor.formatValue (effect, slot, info.minimum));
        texts->setProperty ("default", accessor.formatValue (effect, slot, info.defaultValue));
        texts->setProperty ("maximum", accessor.formatValue (effect, slot, info.maximum));

        juce::DynamicObject::Ptr object (new juce::DynamicObject());
        object->setProperty ("slot", slot);
        object->setProperty ("name", info.name);
        object->setProperty ("minimum", info.minimum);
        object->setProperty ("maximum", info.maximum);
        object->setProperty ("offset", info.offset);
        object->setProperty ("assignable", info.assignable);
        object->setProperty ("control", controlName (info.control));
        object->setProperty ("default", info.defaultValue);
        object->setProperty ("format", info.format);
        object->setProperty ("texts", texts.get());
        return object.get();
    }

    static juce::var describeType (const EffectParameterAccessor& accessor, int type)
    {
        EffectData effect;
        effect.setByte (EffectData::typeByte, type);
        accessor.setDefaults (effect);

        const auto& info = *EffectParameterTable().getTypeInfo (type);
        juce::Array<juce::var> parameters;

        for (int slot = 0; slot < EffectParameterTable::numSlots; ++slot)
            if (const auto* parameter = accessor.getParameterInfo (effect, slot); parameter->exists)
                parameters.add (describeParameter (accessor, effect, slot, *parameter));

        juce::DynamicObject::Ptr object (new juce::DynamicObject());
        object->setProperty ("type", type);
        object->setProperty ("name", info.name);
        object->setProperty ("knob1Default", info.knob1Default);
        object->setProperty ("knob2Default", info.knob2Default);
        object->setProperty ("rules", describeRules (info));
        object->setProperty ("parameters", parameters);
        return object.get();
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<EffectTableCommand>(); });
}
