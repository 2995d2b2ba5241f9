#include "data/EffectParameterAccessor.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

namespace
{
enum Type { eq = 3, decimator = 5, reverb = 6, delay = 7, autoPanningDelay = 9, chorus = 12,
            ringModulator = 17, grainShifter = 18, pitchShifter = 19, talkingModulator = 20, looper = 21 };

const StringTable& strings()
{
    static const StringTable table ("ParameterStrings");
    return table;
}

struct EffectFixture : ::testing::Test
{
    EffectParameterAccessor accessor { strings() };

    EffectData effectOfType (int type)
    {
        EffectData effect;
        effect.setByte (EffectData::typeByte, type);
        accessor.setDefaults (effect);
        return effect;
    }

    juce::String shown (const EffectData& effect, int index)
    {
        return accessor.formatValue (effect, index, accessor.getValue (effect, index));
    }

    juce::String knobName (const EffectData& effect, int knob)
    {
        return accessor.getParameterName (effect, accessor.getKnobAssign (effect, knob));
    }
};

using EffectAccess = EffectFixture;
using EffectFormat = EffectFixture;
}

TEST_F (EffectAccess, NewEffectIsReverb)
{
    EffectData effect;
    EXPECT_EQ (accessor.getTypeName (effect.getType()), "Reverb");
    EXPECT_EQ (shown (effect, 0), "90:10");
    EXPECT_EQ (shown (effect, 1), "Smooth Hall");
    EXPECT_EQ (knobName (effect, 0), "Reverb Time");
    EXPECT_EQ (knobName (effect, 1), "Dry/Wet");

    // The reset image is exactly Reverb's defaults.
    auto reloaded = effect;
    accessor.setDefaults (reloaded);
    EXPECT_EQ (reloaded.getImage(), effect.getImage());
}

TEST_F (EffectAccess, SetDefaultsStoresValuesPlusOffsetsAndLeavesTheReservedByte)
{
    EffectData effect;
    effect.setByte (EffectData::reservedByte, 0x33);
    for (int i = 4; i < 36; ++i)
        effect.setByte (i, 0x77);
    effect.setByte (EffectData::typeByte, pitchShifter);
    accessor.setDefaults (effect);

    const EffectData::Image expected { pitchShifter, 0x33, 1, 0,
                                       100, 64 - 12, 64, 0, 64, 0, 7, 8, 0, 0, 2, 0, 127,
                                       0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    EXPECT_EQ (effect.getImage(), expected);
    EXPECT_EQ (accessor.getValue (effect, 1), -12);
}

TEST_F (EffectAccess, BipolarZeroIsStoredAs64AndShownWithASign)
{
    auto filter = effectOfType (2);
    accessor.setValue (filter, 5, 0);
    EXPECT_EQ (filter.getByte (EffectData::firstSlotByte + 5), 64);
    EXPECT_EQ (shown (filter, 5), "+0");

    accessor.setValue (filter, 5, -63);
    EXPECT_EQ (filter.getByte (EffectData::firstSlotByte + 5), 1);
    EXPECT_EQ (accessor.getValue (filter, 5), -63);
    EXPECT_EQ (accessor.getMinimum (filter, 5), -63);
    EXPECT_EQ (accessor.getMaximum (filter, 5), 63);
}

TEST_F (EffectAccess, FilterLfoSyncSwitchCarriesTheKnob)
{
    auto filter = effectOfType (2);
    EXPECT_FALSE (accessor.isActive (filter, 8));   // sync on by default
    EXPECT_TRUE (accessor.isActive (filter, 9));
    EXPECT_FALSE (accessor.isAssignable (filter, 8));
    EXPECT_TRUE (accessor.isAssignable (filter, 9));

    accessor.setValue (filter, 7, 0);
    accessor.setKnobAssign (filter, 1, 8);
    EXPECT_EQ (accessor.getKnobAssign (filter, 1), 8);
    EXPECT_TRUE (accessor.isActive (filter, 8));
    EXPECT_FALSE (accessor.isActive (filter, 9));

    accessor.setValue (filter, 7, 1);
    EXPECT_EQ (accessor.getKnobAssign (filter, 1), 9);
    EXPECT_EQ (accessor.getKnobAssign (filter, 0), 2);   // the other knob stays

    accessor.setValue (filter, 7, 0);
    EXPECT_EQ (accessor.getKnobAssign (filter, 1), 8);

    // Key sync: "LFO Init Phase" only matters with "LFO Key Sync" on.
    EXPECT_FALSE (accessor.isActive (filter, 13));
    accessor.setValue (filter, 12, 1);
    EXPECT_TRUE (accessor.isActive (filter, 13));
}

TEST_F (EffectAccess, DelayTempoSyncSwitchesParameterGroups)
{
    auto effect = effectOfType (delay);
    for (int i : { 6, 7, 8 })
        EXPECT_TRUE (accessor.isActive (effect, i)) << i;
    for (int i : { 3, 4, 5 })
        EXPECT_FALSE (accessor.isActive (effect, i)) << i;
    EXPECT_TRUE (accessor.isActive (effect, 9));

    accessor.setKnobAssign (effect, 0, 3);
    EXPECT_EQ (effect.getByte (2), 6);

    accessor.setValue (effect, 2, 0);
    EXPECT_TRUE (accessor.isActive (effect, 3));
    EXPECT_FALSE (accessor.isActive (effect, 8));
    EXPECT_EQ (effect.getByte (2), 3);
    EXPECT_EQ (effect.getByte (3), 9);   // Feedback has no twin
}

TEST_F (EffectAccess, RulesCombineInTheirOrder)
{
    // Grain Shifter: two-slot time groups, and LFO sync on its own controller.
    auto grain = effectOfType (grainShifter);
    EXPECT_TRUE (accessor.isActive (grain, 2));
    EXPECT_TRUE (accessor.isActive (grain, 3));
    EXPECT_FALSE (accessor.isActive (grain, 4));
    EXPECT_FALSE (accessor.isActive (grain, 5));
    EXPECT_TRUE (accessor.isActive (grain, 7));
    EXPECT_FALSE (accessor.isActive (grain, 8));
    EXPECT_FALSE (accessor.isActive (grain, 10));
    accessor.setValue (grain, 1, 1);
    EXPECT_FALSE (accessor.isActive (grain, 3));
    EXPECT_TRUE (accessor.isActive (grain, 5));
    EXPECT_EQ (grain.getByte (3), 4);   // knob 2 followed "Time Ratio" to its synced twin
    EXPECT_EQ (grain.getByte (2), 7);

    // Auto Panning Delay: both switches move both knobs independently.
    auto panning = effectOfType (autoPanningDelay);
    accessor.setKnobAssign (panning, 0, 2);
    EXPECT_EQ (panning.getByte (2), 5);
    accessor.setKnobAssign (panning, 1, 12);
    EXPECT_EQ (panning.getByte (3), 11);
    accessor.setValue (panning, 10, 1);
    EXPECT_EQ (panning.getByte (2), 5);
    EXPECT_EQ (panning.getByte (3), 12);

    // 4 Band EQ: Q only for peaking bands.
    auto eqEffect = effectOfType (eq);
    EXPECT_TRUE (accessor.isActive (eqEffect, 4));
    accessor.setValue (eqEffect, 2, 1);
    EXPECT_FALSE (accessor.isActive (eqEffect, 4));
    EXPECT_TRUE (accessor.isActive (eqEffect, 14));
    accessor.setValue (eqEffect, 12, 1);
    EXPECT_FALSE (accessor.isActive (eqEffect, 14));
}

TEST_F (EffectAccess, ReverbRoomUsesTheShortReverbTime)
{
    EffectData effect;
    EXPECT_TRUE (accessor.isActive (effect, 2));
    EXPECT_FALSE (accessor.isActive (effect, 3));
    EXPECT_FALSE (accessor.isAssignable (effect, 3));

    accessor.setValue (effect, 1, 4);   // Room
    EXPECT_EQ (shown (effect, 1), "Room");
    EXPECT_TRUE (accessor.isActive (effect, 3));
    EXPECT_FALSE (accessor.isActive (effect, 2));
    EXPECT_EQ (effect.getByte (2), 3);  // knob 1 moved along

    accessor.setKnobAssign (effect, 1, 2);
    EXPECT_EQ (effect.getByte (3), 3);
    EXPECT_EQ (shown (effect, 3), "800ms");   // stored 39: the 40th item
}

TEST_F (EffectAccess, RingModulatorOscillatorModeSwitchesFrequencyAndNote)
{
    auto ring = effectOfType (ringModulator);
    EXPECT_TRUE (accessor.isActive (ring, 2));
    EXPECT_FALSE (accessor.isActive (ring, 3));
    EXPECT_FALSE (accessor.isActive (ring, 4));
    EXPECT_FALSE (accessor.isAssignable (ring, 3));

    accessor.setValue (ring, 1, 1);
    EXPECT_FALSE (accessor.isActive (ring, 2));
    EXPECT_TRUE (accessor.isActive (ring, 3));
    EXPECT_TRUE (accessor.isActive (ring, 4));
    EXPECT_EQ (ring.getByte (2), 3);
    accessor.setKnobAssign (ring, 1, 2);
    EXPECT_EQ (ring.getByte (3), 3);
}

TEST_F (EffectAccess, AssignabilityAndKnobRequests)
{
    auto effect = effectOfType (talkingModulator);
    EXPECT_TRUE (accessor.isAssignable (effect, 2));    // a list may be on a knob
    EXPECT_FALSE (accessor.isAssignable (effect, 8));
    EXPECT_FALSE (accessor.isAssignable (effect, 20));  // empty slot
    EXPECT_FALSE (accessor.isAssignable (effect, 40));

    accessor.setKnobAssign (effect, 2, 5);              // there is no third knob
    accessor.setKnobAssign (effect, -1, 5);
    EXPECT_EQ (effect.getByte (2), 1);
    EXPECT_EQ (effect.getByte (3), 5);

    accessor.setKnobAssign (effect, 0, 8);              // stored as asked: no twin to go to
    EXPECT_EQ (effect.getByte (2), 8);
}

TEST_F (EffectAccess, LooperLengthFollowsTheBankTempo)
{
    int tempo = 399;
    EffectParameterAccessor withBank (strings(), [&tempo] { return tempo; });
    auto effect = effectOfType (looper);
    ASSERT_EQ (effect.getByte (EffectData::firstSlotByte + 1), 7);

    EXPECT_EQ (withBank.getMaximum (effect, 1), 5);
    EXPECT_EQ (withBank.getValue (effect, 1), 5);
    EXPECT_EQ (withBank.formatValue (effect, 1, withBank.getValue (effect, 1)), "1/1");

    tempo = 400;
    EXPECT_EQ (withBank.getMaximum (effect, 1), 6);
    tempo = 799;
    EXPECT_EQ (withBank.getValue (effect, 1), 6);
    tempo = 800;
    EXPECT_EQ (withBank.getMaximum (effect, 1), 7);
    tempo = 1200;
    EXPECT_EQ (withBank.getMaximum (effect, 1), 7);
    EXPECT_EQ (withBank.getValue (effect, 1), 7);

    // Other slots and other types are not capped; without a bank the table applies.
    tempo = 100;
    EXPECT_EQ (withBank.getMaximum (effect, 2), 127);
    EXPECT_EQ (accessor.getMaximum (effect, 1), 7);
    EXPECT_EQ (accessor.getValue (effect, 1), 7);
}

TEST_F (EffectAccess, DamagedTypeByteGivesNeutralResults)
{
    for (int type : { 22, 255 })
    {
        SCOPED_TRACE (type);
        EffectData effect;
        effect.setByte (EffectData::typeByte, type);
        const auto before = effect.getImage();

        EXPECT_EQ (accessor.getTypeName (type), "");
        EXPECT_EQ (accessor.getParameterInfo (effect, 0), nullptr);
        EXPECT_EQ (accessor.getParameterName (effect, 0), "");
        EXPECT_EQ (accessor.getParameterFormat (effect, 0), "");
        EXPECT_EQ (accessor.getValue (effect, 0), 10);   // the stored byte itself
        EXPECT_EQ (accessor.getMinimum (effect, 0), 0);
        EXPECT_EQ (accessor.getMaximum (effect, 0), 0);
        EXPECT_FALSE (accessor.isAssignable (effect, 0));
        EXPECT_EQ (accessor.formatValue (effect, 0, 10), "10");

        for (int i = 0; i < 32; ++i)
            EXPECT_FALSE (accessor.isActive (effect, i));

        accessor.setDefaults (effect);
        EXPECT_EQ (effect.getImage(), before);

        accessor.setValue (effect, 3, 200);
        EXPECT_EQ (effect.getByte (EffectData::firstSlotByte + 3), 200);
        accessor.setKnobAssign (effect, 1, 31);
        EXPECT_EQ (effect.getByte (3), 31);
    }
}

TEST_F (EffectAccess, SlotsOutsideTheImageAreIgnored)
{
    EffectData effect;
    const auto before = effect.getImage();
    accessor.setValue (effect, 32, 5);
    accessor.setValue (effect, -1, 5);
    EXPECT_EQ (effect.getImage(), before);
    EXPECT_EQ (accessor.getValue (effect, 32), 0);
    EXPECT_EQ (accessor.getParameterName (effect, 32), "");
    EXPECT_FALSE (accessor.isActive (effect, 32));
    EXPECT_EQ (accessor.formatValue (effect, 32, -7), "-7");

    // Values are stored as one byte.
    accessor.setValue (effect, 7, 300);
    EXPECT_EQ (effect.getByte (EffectData::firstSlotByte + 7), 300 - 256);
}

TEST_F (EffectAccess, DeviceAddresses)
{
    using Address = EffectParameterAccessor::DeviceAddress;
    EXPECT_EQ (EffectParameterAccessor::typeAddress(), (Address { 0x50, 1 }));
    EXPECT_EQ (EffectParameterAccessor::knobAddress (0), (Address { 0x50, 2 }));
    EXPECT_EQ (EffectParameterAccessor::knobAddress (1), (Address { 0x50, 3 }));
    EXPECT_EQ (EffectParameterAccessor::knobAddress (5), (Address { 0x50, 3 }));
    EXPECT_EQ (EffectParameterAccessor::knobAddress (-2), (Address { 0x50, 2 }));
    EXPECT_EQ (EffectParameterAccessor::parameterAddress (0), (Address { 0x50, 16 }));
    EXPECT_EQ (EffectParameterAccessor::parameterAddress (31), (Address { 0x50, 47 }));
    EXPECT_EQ (EffectParameterAccessor::parameterAddress (99), (Address { 0x50, 47 }));
    EXPECT_EQ (EffectParameterAccessor::parameterAddress (-3), (Address { 0x50, 16 }));
}

TEST_F (EffectFormat, NumbersUnitsAndRatios)
{
    auto filter = effectOfType (2);
    EXPECT_EQ (accessor.formatValue (filter, 2, 0), "0");       // unipolar "Value"
    EXPECT_EQ (accessor.formatValue (filter, 2, 127), "127");
    EXPECT_EQ (accessor.formatValue (filter, 5, -63), "-63");   // bipolar "Value"
    EXPECT_EQ (accessor.formatValue (filter, 5, -1), "-1");
    EXPECT_EQ (accessor.formatValue (filter, 5, 63), "+63");

    EXPECT_EQ (accessor.formatValue (filter, 0, 0), "Dry");     // "FxWetDry"
    EXPECT_EQ (accessor.formatValue (filter, 0, 1), "99:1");
    EXPECT_EQ (accessor.formatValue (filter, 0, 30), "70:30");
    EXPECT_EQ (accessor.formatValue (filter, 0, 99), "1:99");
    EXPECT_EQ (accessor.formatValue (filter, 0, 100), "Wet");

    EffectData reverbEffect;
    EXPECT_EQ (accessor.formatValue (reverbEffect, 4, 0), "0%");    // "PercentValue"
    EXPECT_EQ (accessor.formatValue (reverbEffect, 4, 100), "100%");
    EXPECT_EQ (accessor.formatValue (reverbEffect, 6, 0), "0ms");   // "MsecValue"
    EXPECT_EQ (accessor.formatValue (reverbEffect, 6, 70), "70ms");
}

TEST_F (EffectFormat, SignedRules)
{
    auto chorusEffect = effectOfType (chorus);
    EXPECT_EQ (accessor.formatValue (chorusEffect, 3, -18), "-180");   // "FxLfoSpread"
    EXPECT_EQ (accessor.formatValue (chorusEffect, 3, -1), "-10");
    EXPECT_EQ (accessor.formatValue (chorusEffect, 3, 0), "0");
    EXPECT_EQ (accessor.formatValue (chorusEffect, 3, 9), "+90");
    EXPECT_EQ (accessor.formatValue (chorusEffect, 3, 18), "+180");
    EXPECT_EQ (accessor.formatValue (chorusEffect, 7, -30), "-15.0dB"); // "FxdBValue"
    EXPECT_EQ (accessor.formatValue (chorusEffect, 7, 8), "+4.0dB");

    auto eqEffect = effectOfType (eq);
    EXPECT_EQ (accessor.formatValue (eqEffect, 5, -36), "-18.0dB");
    EXPECT_EQ (accessor.formatValue (eqEffect, 5, -1), "-0.5dB");
    EXPECT_EQ (accessor.formatValue (eqEffect, 5, 0), "+0.0dB");
    EXPECT_EQ (accessor.formatValue (eqEffect, 5, 1), "+0.5dB");
    EXPECT_EQ (accessor.formatValue (eqEffect, 5, 30), "+15.0dB");
    EXPECT_EQ (accessor.formatValue (eqEffect, 5, 36), "+18.0dB");
    EXPECT_EQ (accessor.formatValue (eqEffect, 4, 0), "0.5");          // "FxEqQ"
    EXPECT_EQ (accessor.formatValue (eqEffect, 4, 1), "0.6");
    EXPECT_EQ (accessor.formatValue (eqEffect, 4, 15), "2.0");
    EXPECT_EQ (accessor.formatValue (eqEffect, 4, 95), "10.0");

    auto ring = effectOfType (ringModulator);
    EXPECT_EQ (accessor.formatValue (ring, 4, -50), "-100cent");       // "FxFineValue"
    EXPECT_EQ (accessor.formatValue (ring, 4, -1), "-2cent");
    EXPECT_EQ (accessor.formatValue (ring, 4, 0), "+0cent");
    EXPECT_EQ (accessor.formatValue (ring, 4, 50), "+100cent");

    auto talking = effectOfType (talkingModulator);
    EXPECT_EQ (accessor.formatValue (talking, 1, -63), "Bottom");      // "FxVoiceCtrl"
    EXPECT_EQ (accessor.formatValue (talking, 1, -62), "-62");
    EXPECT_EQ (accessor.formatValue (talking, 1, 0), "Center");
    EXPECT_EQ (accessor.formatValue (talking, 1, 1), "+1");
    EXPECT_EQ (accessor.formatValue (talking, 1, 62), "+62");
    EXPECT_EQ (accessor.formatValue (talking, 1, 63), "Top");
}

TEST_F (EffectFormat, ValueListsAreLookedUpByValue)
{
    auto decimatorEffect = effectOfType (decimator);
    EXPECT_EQ (shown (decimatorEffect, 3), "12.0kHz");                  // "FxDeciFs" 22
    EXPECT_EQ (accessor.formatValue (decimatorEffect, 3, 94), "48.0kHz");
    EXPECT_EQ (accessor.formatValue (decimatorEffect, 4, 0), "4bit");
    EXPECT_EQ (accessor.formatValue (decimatorEffect, 1, 1), "On");
    EXPECT_EQ (accessor.formatValue (decimatorEffect, 8, 127), "100.0Hz");
    EXPECT_EQ (accessor.formatValue (decimatorEffect, 3, 95), "");       // beyond the list
    EXPECT_EQ (accessor.formatValue (decimatorEffect, 3, -1), "");
    EXPECT_EQ (accessor.formatValue (decimatorEffect, 20, 0), "");       // empty slot: no list

    auto looperEffect = effectOfType (looper);
    EXPECT_EQ (shown (looperEffect, 2), "+1.000");
    EXPECT_EQ (accessor.formatValue (looperEffect, 2, 31), " 0.000");

    // Without a parameter-strings table list values have no text.
    const StringTable missing ("NoSuchTable");
    EffectParameterAccessor bare (missing);
    EXPECT_EQ (bare.formatValue (decimatorEffect, 3, 22), "");
    EXPECT_EQ (bare.formatValue (decimatorEffect, 0, 30), "70:30");
}
