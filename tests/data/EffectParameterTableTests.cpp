#include "data/EffectParameterTable.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

namespace
{
const EffectParameterTable table;

const EffectParameterInfo& slot (int type, int index)
{
    return *table.getParameterInfo (type, index);
}

int countUsedSlots (int type)
{
    int used = 0;
    for (int i = 0; i < EffectParameterTable::numSlots; ++i)
        used += slot (type, i).exists ? 1 : 0;
    return used;
}

bool isRuleFormat (const juce::String& format)
{
    return juce::StringArray { "Value", "PercentValue", "MsecValue", "FxWetDry", "FxLfoSpread",
                               "FxFineValue", "FxVoiceCtrl", "FxdBValue", "FxEqQ" }.contains (format);
}
}

TEST (EffectParameterTable, HasTwentyTwoTypesWithTheirNamesAndKnobDefaults)
{
    struct Expected { const char* name; int knob1, knob2, usedSlots; };
    const Expected expected[EffectParameterTable::numTypes] = {
        { "Effect Off", 0, 0, 0 },          { "Compressor", 2, 3, 5 },        { "Filter", 2, 3, 14 },
        { "4 Band EQ", 15, 5, 16 },         { "Distortion", 4, 1, 15 },       { "Decimator", 3, 4, 14 },
        { "Reverb", 2, 0, 8 },              { "Delay", 6, 9, 13 },            { "L/C/R Delay", 6, 13, 16 },
        { "Auto Panning Delay", 5, 8, 20 }, { "Modulation Delay", 5, 8, 12 }, { "Tape Echo", 5, 10, 19 },
        { "Chorus", 2, 1, 8 },              { "Flanger", 7, 3, 14 },          { "Vibrato", 3, 1, 10 },
        { "Phaser", 8, 4, 15 },             { "Tremolo", 4, 1, 10 },          { "Ring Modulator", 2, 0, 15 },
        { "Grain Shifter", 7, 2, 11 },      { "Pitch Shifter", 1, 0, 13 },    { "Talking Modulator ", 1, 5, 16 },
        { "Looper", 1, 0, 4 },
    };

    for (int type = 0; type < EffectParameterTable::numTypes; ++type)
    {
        SCOPED_TRACE (type);
        const auto* info = table.getTypeInfo (type);
        ASSERT_NE (info, nullptr);
        EXPECT_EQ (info->name, expected[type].name);
        EXPECT_EQ (table.getTypeName (type), expected[type].name);
        EXPECT_EQ (info->knob1Default, expected[type].knob1);
        EXPECT_EQ (info->knob2Default, expected[type].knob2);
        EXPECT_EQ (countUsedSlots (type), expected[type].usedSlots);
    }

    EXPECT_EQ (table.getTypeInfo (22), nullptr);
    EXPECT_EQ (table.getTypeInfo (-1), nullptr);
    EXPECT_EQ (table.getTypeName (22), "");
    EXPECT_EQ (table.getParameterInfo (6, 32), nullptr);
    EXPECT_EQ (table.getParameterInfo (22, 0), nullptr);
}

TEST (EffectParameterTable, SwitchRulesOfEveryType)
{
    auto rule = [] (const EffectSwitchRule& r) { return juce::String (r.controller) + "," + juce::String (r.first) + "," + juce::String (r.second); };

    for (int type : { 0, 1, 3, 4, 6, 12, 21 })
    {
        const auto* info = table.getTypeInfo (type);
        EXPECT_FALSE (info->timeSyncRule.active || info->lfoSyncRule.active || info->keySyncRule.active) << type;
    }

    // type: time sync, LFO sync, key sync controller (empty: no rule)
    struct Expected { int type; const char* timeSync; const char* lfoSync; int keySync; };
    const Expected expected[] = {
        { 2, "", "7,8,9", 12 },         { 5, "", "7,8,9", 12 },        { 7, "2,3,6", "", -1 },
        { 8, "1,2,6", "", -1 },         { 9, "1,2,5", "10,11,12", 15 }, { 10, "1,2,5", "", -1 },
        { 11, "1,2,5", "", -1 },        { 13, "", "5,6,7", 10 },        { 14, "", "2,3,4", 7 },
        { 15, "", "6,7,8", 11 },        { 16, "", "2,3,4", 7 },         { 17, "", "7,8,9", 12 },
        { 18, "1,2,4", "6,7,8", 9 },    { 19, "3,4,6", "", -1 },        { 20, "", "9,10,11", 14 },
    };

    for (const auto& e : expected)
    {
        SCOPED_TRACE (e.type);
        const auto* info = table.getTypeInfo (e.type);
        EXPECT_EQ (info->timeSyncRule.active ? rule (info->timeSyncRule) : juce::String(), e.timeSync);
        EXPECT_EQ (info->lfoSyncRule.active ? rule (info->lfoSyncRule) : juce::String(), e.lfoSync);
        EXPECT_EQ (info->keySyncRule.active ? info->keySyncRule.controller : -1, e.keySync);
    }
}

TEST (EffectParameterTable, SpotRecords)
{
    const auto& reverbTime = slot (6, 3);
    EXPECT_EQ (reverbTime.name, "Reverb Time");
    EXPECT_TRUE (reverbTime.exists);
    EXPECT_EQ (reverbTime.minimum, 0);
    EXPECT_EQ (reverbTime.maximum, 99);
    EXPECT_EQ (reverbTime.offset, 0);
    EXPECT_TRUE (reverbTime.assignable);
    EXPECT_EQ (reverbTime.control, EffectControl::Knob);
    EXPECT_EQ (reverbTime.defaultValue, 39);
    EXPECT_EQ (reverbTime.format, "FxReverbTimeShort");

    const auto& pitch = slot (19, 1);
    EXPECT_EQ (pitch.name, "Pitch Shift");
    EXPECT_EQ (pitch.minimum, -24);
    EXPECT_EQ (pitch.maximum, 24);
    EXPECT_EQ (pitch.offset, 64);
    EXPECT_EQ (pitch.defaultValue, -12);

    const auto& keySync = slot (20, 14);
    EXPECT_EQ (keySync.name, "LFO KeySync");
    EXPECT_EQ (keySync.control, EffectControl::Switch);
    EXPECT_EQ (keySync.format, "FxLfoKeySync");

    const auto& initPhase = slot (18, 10);   // a list format on a rotary control
    EXPECT_EQ (initPhase.control, EffectControl::Knob);
    EXPECT_EQ (initPhase.format, "LfoInitPhase");

    const auto& flangerDelay = slot (13, 1);
    EXPECT_EQ (flangerDelay.maximum, 113);
    EXPECT_EQ (flangerDelay.format, "FxDelay_0_30");

    const auto& chorusSpread = slot (12, 3);
    EXPECT_EQ (chorusSpread.name, "LFO Spread");
    EXPECT_EQ (chorusSpread.defaultValue, 0);
    EXPECT_EQ (chorusSpread.offset, 64);
    EXPECT_FALSE (chorusSpread.assignable);

    EXPECT_EQ (slot (12, 7).minimum, -30);
    EXPECT_EQ (slot (12, 7).defaultValue, 8);
    EXPECT_EQ (slot (1, 2).minimum, 1);   // Compressor "Sensitivity" starts at 1
    EXPECT_EQ (slot (21, 0).control, EffectControl::List);
    EXPECT_TRUE (slot (21, 0).assignable);
    EXPECT_FALSE (slot (19, 4).assignable);   // Pitch Shifter's time ratios stay off the knobs
}

TEST (EffectParameterTable, SlotsAreConsistent)
{
    const StringTable strings ("ParameterStrings");

    for (int type = 0; type < EffectParameterTable::numTypes; ++type)
    {
        for (int i = 0; i < EffectParameterTable::numSlots; ++i)
        {
            SCOPED_TRACE (juce::String (type) + "/" + juce::String (i));
            const auto& info = slot (type, i);

            // Used slots come first and no type uses more than the page's 20.
            EXPECT_EQ (info.exists, i < countUsedSlots (type));
            EXPECT_LT (countUsedSlots (type), 21);

            if (! info.exists)
            {
                EXPECT_TRUE (info.name.isEmpty() && info.format.isEmpty());
                EXPECT_EQ (info.minimum | info.maximum | info.offset | info.defaultValue, 0);
                EXPECT_FALSE (info.assignable);
                EXPECT_EQ (info.control, EffectControl::None);
                continue;
            }

            EXPECT_EQ (info.offset, info.minimum < 0 ? 64 : 0);
            EXPECT_LE (info.minimum, info.defaultValue);
            EXPECT_LE (info.defaultValue, info.maximum);

            if (! isRuleFormat (info.format))
            {
                EXPECT_GE (strings.getNumItems (info.format), info.maximum - info.minimum + 1) << info.format;
            }
        }

        if (type > 0)
        {
            const auto* typeInfo = table.getTypeInfo (type);
            EXPECT_TRUE (slot (type, typeInfo->knob1Default).assignable);
            EXPECT_TRUE (slot (type, typeInfo->knob2Default).assignable);
        }
    }
}
