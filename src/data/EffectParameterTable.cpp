#include "data/EffectParameterTable.h"

#include <array>
#include <initializer_list>

namespace
{
constexpr auto knob = EffectControl::Knob;
constexpr auto list = EffectControl::List;
constexpr auto onOff = EffectControl::Switch;
constexpr bool yes = true;
constexpr bool no = false;

// One line of a type's parameter list, in the order the tables are written:
// slot, name, range, default, control, knob assignability, display format.
struct ParameterRow
{
    int slot;
    const char* name;
    int minimum, maximum, defaultValue;
    EffectControl control;
    bool assignable;
    const char* format;
};

struct SwitchRules
{
    EffectSwitchRule timeSync, lfoSync, keySync;
};

constexpr EffectSwitchRule none {};

constexpr EffectSwitchRule timeSync (int controller, int first, int second) { return { true, controller, first, second }; }
constexpr EffectSwitchRule lfoSync (int controller, int first, int second)  { return { true, controller, first, second }; }
constexpr EffectSwitchRule keySync (int controller)                         { return { true, controller, 0, 0 }; }

struct TypeDefinition
{
    const char* name;
    int knob1Default, knob2Default;
    SwitchRules rules;
    std::initializer_list<ParameterRow> parameters;
};

struct TableData
{
    std::array<EffectTypeInfo, EffectParameterTable::numTypes> types;
    std::array<std::array<EffectParameterInfo, EffectParameterTable::numSlots>, EffectParameterTable::numTypes> slots;
};

EffectParameterInfo makeParameter (const ParameterRow& row)
{
    EffectParameterInfo info;
    info.name = row.name;
    info.exists = true;
    info.minimum = row.minimum;
    info.maximum = row.maximum;
    info.offset = row.minimum < 0 ? 64 : 0;   // bipolar values are stored around 64
    info.assignable = row.assignable;
    info.control = row.control;
    info.defaultValue = row.defaultValue;
    info.format = row.format;
    return info;
}

TableData buildTable()
{
    const TypeDefinition definitions[EffectParameterTable::numTypes] = {
        { "Effect Off", 0, 0, { none, none, none }, {} },

        { "Compressor", 2, 3, { none, none, none }, {
            { 0, "Dry/Wet",         0, 100, 100, knob, yes, "FxWetDry" },
            { 1, "Envelope Select", 0, 1,   0,   list, no,  "FxEnvSel" },
            { 2, "Sensitivity",     1, 127, 70,  knob, yes, "Value" },
            { 3, "Attack",          0, 127, 19,  knob, yes, "FxGateAttack" },
            { 4, "Output Level",    0, 127, 50,  knob, no,  "Value" } } },

        { "Filter", 2, 3, { none, lfoSync (7, 8, 9), keySync (12) }, {
            { 0,  "Dry/Wet",        0,   100, 100, knob,  yes, "FxWetDry" },
            { 1,  "Filter Type",    0,   4,   2,   list,  no,  "FxFltType" },
            { 2,  "Cutoff",         0,   127, 63,  knob,  yes, "Value" },
            { 3,  "Resonance",      0,   127, 0,   knob,  yes, "Value" },
            { 4,  "Trim",           0,   127, 127, knob,  no,  "Value" },
            { 5,  "Mod Depth",      -63, 63,  0,   knob,  yes, "Value" },
            { 6,  "Mod Response",   0,   127, 90,  knob,  yes, "Value" },
            { 7,  "LFO Tempo Sync", 0,   1,   1,   onOff, no,  "OnOff" },
            { 8,  "LFO Frequency",  0,   127, 28,  knob,  yes, "LfoFreq" },
            { 9,  "LFO Sync Note",  0,   16,  8,   list,  yes, "LfoSyncNote" },
            { 10, "LFO Waveform",   0,   4,   2,   list,  no,  "FxLfoWave" },
            { 11, "LFO Shape",      -63, 63,  0,   knob,  no,  "Value" },
            { 12, "LFO Key Sync",   0,   1,   0,   list,  no,  "FxLfoKeySync" },
            { 13, "LFO Init Phase", 0,   18,  0,   list,  no,  "LfoInitPhase" } } },

        { "4 Band EQ", 15, 5, { none, none, none }, {
            { 0,  "Dry/Wet",      0,   100, 100, knob, yes, "FxWetDry" },
            { 1,  "Trim",         0,   127, 127, knob, no,  "Value" },
            { 2,  "B1 Type",      0,   1,   0,   list, no,  "FxEqBand1Type" },
            { 3,  "B1 Frequency", 0,   58,  12,  knob, no,  "FxEqFrequency" },
            { 4,  "B1 Q",         0,   95,  15,  knob, no,  "FxEqQ" },
            { 5,  "B1 Gain",      -36, 36,  0,   knob, yes, "FxdBValue" },
            { 6,  "B2 Frequency", 0,   58,  28,  knob, no,  "FxEqFrequency" },
            { 7,  "B2 Q",         0,   95,  25,  knob, no,  "FxEqQ" },
            { 8,  "B2 Gain",      -36, 36,  0,   knob, yes, "FxdBValue" },
            { 9,  "B3 Frequency", 0,   58,  35,  knob, no,  "FxEqFrequency" },
            { 10, "B3 Q",         0,   95,  5,   knob, no,  "FxEqQ" },
            { 11, "B3 Gain",      -36, 36,  0,   knob, yes, "FxdBValue" },
            { 12, "B4 Type",      0,   1,   0,   list, no,  "FxEqBand2Type" },
            { 13, "B4 Frequency", 0,   58,  48,  knob, no,  "FxEqFrequency" },
            { 14, "B4 Q",         0,   95,  5,   knob, no,  "FxEqQ" },
            { 15, "B4 Gain",      -36, 36,  0,   knob, yes, "FxdBValue" } } },

        { "Distortion", 4, 1, { none, none, none }, {
            { 0,  "Dry/Wet",          0,   100, 100, knob, yes, "FxWetDry" },
            { 1,  "Gain",             0,   127, 50,  knob, yes, "Value" },
            { 2,  "Pre EQ Frequency", 0,   58,  56,  knob, no,  "FxEqFrequency" },
            { 3,  "Pre EQ Q",         0,   95,  0,   knob, no,  "FxEqQ" },
            { 4,  "Pre EQ Gain",      -36, 36,  0,   knob, yes, "FxdBValue" },
            { 5,  "B1 Frequency",     0,   58,  20,  knob, no,  "FxEqFrequency" },
            { 6,  "B1 Q",             0,   95,  20,  knob, no,  "FxEqQ" },
            { 7,  "B1 Gain",          -36, 36,  0,   knob, yes, "FxdBValue" },
            { 8,  "B2 Frequency",     0,   58,  50,  knob, no,  "FxEqFrequency" },
            { 9,  "B2 Q",             0,   95,  30,  knob, no,  "FxEqQ" },
            { 10, "B2 Gain",          -36, 36,  0,   knob, yes, "FxdBValue" },
            { 11, "B3 Frequency",     0,   58,  55,  knob, no,  "FxEqFrequency" },
            { 12, "B3 Q",             0,   95,  8,   knob, no,  "FxEqQ" },
            { 13, "B3 Gain",          -36, 36,  0,   knob, yes, "FxdBValue" },
            { 14, "Output Level",     0,   127, 30,  knob, no,  "Value" } } },

        { "Decimator", 3, 4, { none, lfoSync (7, 8, 9), keySync (12) }, {
            { 0,  "Dry/Wet",          0,   100, 100, knob,  yes, "FxWetDry" },
            { 1,  "Pre LPF",          0,   1,   0,   onOff, no,  "OnOff" },
            { 2,  "High Damp",        0,   100, 0,   knob,  no,  "PercentValue" },
            { 3,  "Fs",               0,   94,  22,  knob,  yes, "FxDeciFs" },
            { 4,  "Bit",              0,   20,  8,   knob,  yes, "FxDeciBit" },
            { 5,  "Output Level",     0,   127, 127, knob,  no,  "Value" },
            { 6,  "Fs Mod Intensity", -63, 63,  0,   knob,  yes, "Value" },
            { 7,  "LFO Tempo Sync",   0,   1,   0,   onOff, no,  "OnOff" },
            { 8,  "LFO Frequency",    0,   127, 19,  knob,  yes, "LfoFreq" },
            { 9,  "LFO Sync Note",    0,   16,  5,   list,  yes, "LfoSyncNote" },
            { 10, "LFO Waveform",     0,   4,   3,   list,  no,  "FxLfoWave" },
            { 11, "LFO Shape",        -63, 63,  0,   knob,  no,  "Value" },
            { 12, "LFO Key Sync",     0,   1,   0,   list,  no,  "FxLfoKeySync" },
            { 13, "LFO Init Phase",   0,   18,  0,   list,  no,  "LfoInitPhase" } } },

        { "Reverb", 2, 0, { none, none, none }, {
            { 0, "Dry/Wet",     0, 100, 10, knob, yes, "FxWetDry" },
            { 1, "Type",        0, 5,   1,  list, no,  "FxReverbType" },
            { 2, "Reverb Time", 0, 99,  19, knob, yes, "FxReverbTime" },
            { 3, "Reverb Time", 0, 99,  39, knob, yes, "FxReverbTimeShort" },
            { 4, "High Damp",   0, 100, 10, knob, no,  "PercentValue" },
            { 5, "Low Damp",    0, 100, 20, knob, no,  "PercentValue" },
            { 6, "Pre Delay",   0, 70,  0,  knob, no,  "MsecValue" },
            { 7, "Trim",        0, 127, 63, knob, no,  "Value" } } },

        { "Delay", 6, 9, { timeSync (2, 3, 6), none, none }, {
            { 0,  "Dry/Wet",          0, 100, 30,  knob,  yes, "FxWetDry" },
            { 1,  "Type",             0, 1,   0,   list,  no,  "FxStDelayType" },
            { 2,  "Delay Tempo Sync", 0, 1,   1,   onOff, no,  "OnOff" },
            { 3,  "Time Ratio",       0, 127, 64,  knob,  yes, "FxTimeRatio" },
            { 4,  "L Delay Time",     0, 127, 45,  knob,  no,  "FxDelay_0_1400" },
            { 5,  "R Delay Time",     0, 127, 45,  knob,  no,  "FxDelay_0_1400" },
            { 6,  "Time Ratio",       0, 14,  7,   knob,  yes, "FxTimeRatioSyncOn" },
            { 7,  "L Delay Time",     0, 13,  5,   list,  no,  "FxDelaySyncNote" },
            { 8,  "R Delay Time",     0, 13,  5,   list,  no,  "FxDelaySyncNote" },
            { 9,  "Feedback",         0, 127, 90,  knob,  yes, "Value" },
            { 10, "High Damp",        0, 100, 0,   knob,  no,  "PercentValue" },
            { 11, "Trim",             0, 127, 127, knob,  no,  "Value" },
            { 12, "Spread",           0, 127, 127, knob,  no,  "Value" } } },

        { "L/C/R Delay", 6, 13, { timeSync (1, 2, 6), none, none }, {
            { 0,  "Dry/Wet",          0, 100, 30,  knob,  yes, "FxWetDry" },
            { 1,  "Delay Tempo Sync", 0, 1,   1,   onOff, no,  "OnOff" },
            { 2,  "Time Ratio",       0, 127, 64,  knob,  yes, "FxTimeRatio" },
            { 3,  "L Delay Time",     0, 127, 59,  knob,  no,  "FxDelay_0_1400" },
            { 4,  "C Delay Time",     0, 127, 79,  knob,  no,  "FxDelay_0_1400" },
            { 5,  "R Delay Time",     0, 127, 49,  knob,  no,  "FxDelay_0_1400" },
            { 6,  "Time Ratio",       0, 14,  7,   knob,  yes, "FxTimeRatioSyncOn" },
            { 7,  "L Delay Time",     0, 13,  7,   list,  no,  "FxDelaySyncNote" },
            { 8,  "C Delay Time",     0, 13,  8,   list,  no,  "FxDelaySyncNote" },
            { 9,  "R Delay Time",     0, 13,  5,   list,  no,  "FxDelaySyncNote" },
            { 10, "L Delay Level",    0, 127, 100, knob,  no,  "Value" },
            { 11, "C Delay Level",    0, 127, 50,  knob,  no,  "Value" },
            { 12, "R Delay Level",    0, 127, 100, knob,  no,  "Value" },
            { 13, "C Feedback",       0, 127, 90,  knob,  yes, "Value" },
            { 14, "Trim",             0, 127, 127, knob,  no,  "Value" },
            { 15, "Spread",           0, 127, 63,  knob,  no,  "Value" } } },

        { "Auto Panning Delay", 5, 8, { timeSync (1, 2, 5), lfoSync (10, 11, 12), keySync (15) }, {
            { 0,  "Dry/Wet",          0,   100, 70,  knob,  yes, "FxWetDry" },
            { 1,  "Delay Tempo Sync", 0,   1,   1,   onOff, no,  "OnOff" },
            { 2,  "Time Ratio",       0,   127, 64,  knob,  yes, "FxTimeRatio" },
            { 3,  "L Delay Time",     0,   127, 53,  knob,  no,  "FxDelay_0_1400" },
            { 4,  "R Delay Time",     0,   127, 45,  knob,  no,  "FxDelay_0_1400" },
            { 5,  "Time Ratio",       0,   14,  7,   knob,  yes, "FxTimeRatioSyncOn" },
            { 6,  "L Delay Time",     0,   13,  5,   list,  no,  "FxDelaySyncNote" },
            { 7,  "R Delay Time",     0,   13,  5,   list,  no,  "FxDelaySyncNote" },
            { 8,  "Feedback",         0,   127, 90,  knob,  yes, "Value" },
            { 9,  "Mod Depth",        0,   127, 110, knob,  yes, "Value" },
            { 10, "LFO Tempo Sync",   0,   1,   0,   onOff, no,  "OnOff" },
            { 11, "LFO Frequency",    0,   127, 28,  knob,  yes, "LfoFreq" },
            { 12, "LFO Sync Note",    0,   16,  3,   list,  yes, "LfoSyncNote" },
            { 13, "LFO Waveform",     0,   4,   3,   list,  no,  "FxLfoWave" },
            { 14, "LFO Shape",        -63, 63,  0,   knob,  no,  "Value" },
            { 15, "LFO Key Sync",     0,   1,   0,   list,  no,  "FxLfoKeySync" },
            { 16, "LFO Init Phase",   0,   18,  0,   list,  no,  "LfoInitPhase" },
            { 17, "LFO Spread",       -18, 18,  9,   knob,  no,  "FxLfoSpread" },
            { 18, "High Damp",        0,   100, 10,  knob,  no,  "PercentValue" },
            { 19, "Trim",             0,   127, 127, knob,  no,  "Value" } } },

        { "Modulation Delay", 5, 8, { timeSync (1, 2, 5), none, none }, {
            { 0,  "Dry/Wet",          0,   100, 30, knob,  yes, "FxWetDry" },
            { 1,  "Delay Tempo Sync", 0,   1,   1,  onOff, no,  "OnOff" },
            { 2,  "Time Ratio",       0,   127, 64, knob,  yes, "FxTimeRatio" },
            { 3,  "L Delay Time",     0,   127, 53, knob,  no,  "FxDelay_0_1400" },
            { 4,  "R Delay Time",     0,   127, 45, knob,  no,  "FxDelay_0_1400" },
            { 5,  "Time Ratio",       0,   14,  7,  knob,  yes, "FxTimeRatioSyncOn" },
            { 6,  "L Delay Time",     0,   13,  7,  list,  no,  "FxDelaySyncNote" },
            { 7,  "R Delay Time",     0,   13,  5,  list,  no,  "FxDelaySyncNote" },
            { 8,  "Feedback",         0,   127, 90, knob,  yes, "Value" },
            { 9,  "Mod Depth",        0,   127, 30, knob,  yes, "Value" },
            { 10, "LFO Frequency",    0,   127, 34, knob,  yes, "LfoFreq" },
            { 11, "LFO Spread",       -18, 18,  18, knob,  no,  "FxLfoSpread" } } },

        { "Tape Echo", 5, 10, { timeSync (1, 2, 5), none, none }, {
            { 0,  "Dry/Wet",               0, 100, 30,  knob,  yes, "FxWetDry" },
            { 1,  "Delay Tempo Sync",      0, 1,   1,   onOff, no,  "OnOff" },
            { 2,  "Time Ratio",            0, 127, 64,  knob,  yes, "FxTimeRatio" },
            { 3,  "Tap1 Delay Time",       0, 127, 77,  knob,  no,  "FxDelay_0_1400" },
            { 4,  "Tap2 Delay Time",       0, 127, 61,  knob,  no,  "FxDelay_0_1400" },
            { 5,  "Time Ratio",            0, 14,  7,   knob,  yes, "FxTimeRatioSyncOn" },
            { 6,  "Tap1 Delay Time",       0, 13,  7,   list,  no,  "FxDelaySyncNote" },
            { 7,  "Tap2 Delay Time",       0, 13,  5,   list,  no,  "FxDelaySyncNote" },
            { 8,  "Tap1 Level",            0, 127, 100, knob,  yes, "Value" },
            { 9,  "Tap2 Level",            0, 127, 100, knob,  yes, "Value" },
            { 10, "Feedback",              0, 127, 85,  knob,  yes, "Value" },
            { 11, "High Damp",             0, 100, 20,  knob,  no,  "PercentValue" },
            { 12, "Low Damp",              0, 100, 20,  knob,  no,  "PercentValue" },
            { 13, "Trim",                  0, 127, 127, knob,  no,  "Value" },
            { 14, "Saturation",            0, 127, 50,  knob,  yes, "Value" },
            { 15, "Wow Flutter Frequency", 0, 127, 19,  knob,  no,  "LfoFreq" },
            { 16, "Wow Flutter Depth",     0, 127, 0,   knob,  no,  "Value" },
            { 17, "Pre Tone",              0, 127, 80,  knob,  no,  "Value" },
            { 18, "Spread",                0, 127, 127, knob,  no,  "Value" } } },

        // "LFO Spread" starts centred: both channels in phase.
        { "Chorus", 2, 1, { none, none, none }, {
            { 0, "Dry/Wet",       0,   100, 50,  knob, yes, "FxWetDry" },
            { 1, "Mod Depth",     0,   127, 63,  knob, yes, "Value" },
            { 2, "LFO Frequency", 0,   127, 28,  knob, yes, "LfoFreq" },
            { 3, "LFO Spread",    -18, 18,  0,   knob, no,  "FxLfoSpread" },
            { 4, "Pre Delay L",   0,   119, 53,  knob, no,  "FxDelay_0_50" },
            { 5, "Pre Delay R",   0,   119, 55,  knob, no,  "FxDelay_0_50" },
            { 6, "Trim",          0,   127, 100, knob, no,  "Value" },
            { 7, "High EQ Gain",  -30, 30,  8,   knob, no,  "FxdBValue" } } },

        { "Flanger", 7, 3, { none, lfoSync (5, 6, 7), keySync (10) }, {
            { 0,  "Dry/Wet",        0,   100, 50, knob,  yes, "FxWetDry" },
            { 1,  "Delay",          0,   113, 10, knob,  yes, "FxDelay_0_30" },
            { 2,  "Mod Depth",      0,   127, 63, knob,  yes, "Value" },
            { 3,  "Feedback",       0,   127, 63, knob,  yes, "Value" },
            { 4,  "Phase",          0,   1,   0,  list,  no,  "FxFlangerPhase" },
            { 5,  "LFO Tempo Sync", 0,   1,   1,  onOff, no,  "OnOff" },
            { 6,  "LFO Frequency",  0,   127, 28, knob,  yes, "LfoFreq" },
            { 7,  "LFO Sync Note",  0,   16,  3,  list,  yes, "LfoSyncNote" },
            { 8,  "LFO Waveform",   0,   4,   3,  list,  no,  "FxLfoWave" },
            { 9,  "LFO Shape",      -63, 63,  0,  knob,  no,  "Value" },
            { 10, "LFO Key Sync",   0,   1,   0,  list,  no,  "FxLfoKeySync" },
            { 11, "LFO Init Phase", 0,   18,  0,  list,  no,  "LfoInitPhase" },
            { 12, "LFO Spread",     -18, 18,  2,  knob,  no,  "FxLfoSpread" },
            { 13, "High Damp",      0,   100, 0,  knob,  no,  "PercentValue" } } },

        { "Vibrato", 3, 1, { none, lfoSync (2, 3, 4), keySync (7) }, {
            { 0, "Dry/Wet",        0,   100, 100, knob,  yes, "FxWetDry" },
            { 1, "Mod Depth",      0,   127, 30,  knob,  yes, "Value" },
            { 2, "LFO Tempo Sync", 0,   1,   0,   onOff, no,  "OnOff" },
            { 3, "LFO Frequency",  0,   127, 70,  knob,  yes, "LfoFreq" },
            { 4, "LFO Sync Note",  0,   16,  13,  list,  yes, "LfoSyncNote" },
            { 5, "LFO Waveform",   0,   4,   3,   list,  no,  "FxLfoWave" },
            { 6, "LFO Shape",      -63, 63,  0,   knob,  no,  "Value" },
            { 7, "LFO Key Sync",   0,   1,   0,   list,  no,  "FxLfoKeySync" },
            { 8, "LFO Init Phase", 0,   18,  0,   list,  no,  "LfoInitPhase" },
            { 9, "LFO Spread",     -18, 18,  1,   knob,  no,  "FxLfoSpread" } } },

        { "Phaser", 8, 4, { none, lfoSync (6, 7, 8), keySync (11) }, {
            { 0,  "Dry/Wet",        0,   100, 50,  knob,  yes, "FxWetDry" },
            { 1,  "Type",           0,   1,   0,   list,  no,  "FxPhaserType" },
            { 2,  "Manual",         0,   127, 110, knob,  yes, "Value" },
            { 3,  "Mod Depth",      0,   127, 40,  knob,  yes, "Value" },
            { 4,  "Resonance",      0,   127, 50,  knob,  yes, "Value" },
            { 5,  "Phase",          0,   1,   0,   list,  no,  "FxFlangerPhase" },
            { 6,  "LFO Tempo Sync", 0,   1,   1,   onOff, no,  "OnOff" },
            { 7,  "LFO Frequency",  0,   127, 30,  knob,  yes, "LfoFreq" },
            { 8,  "LFO Sync Note",  0,   16,  3,   list,  yes, "LfoSyncNote" },
            { 9,  "LFO Waveform",   0,   4,   2,   list,  no,  "FxLfoWave" },
            { 10, "LFO Shape",      -63, 63,  0,   knob,  no,  "Value" },
            { 11, "LFO Key Sync",   0,   1,   0,   list,  no,  "FxLfoKeySync" },
            { 12, "LFO Init Phase", 0,   18,  0,   list,  no,  "LfoInitPhase" },
            { 13, "LFO Spread",     -18, 18,  0,   knob,  no,  "FxLfoSpread" },
            { 14, "High Damp",      0,   100, 0,   knob,  no,  "PercentValue" } } },

        { "Tremolo", 4, 1, { none, lfoSync (2, 3, 4), keySync (7) }, {
            { 0, "Dry/Wet",        0,   100, 100, knob,  yes, "FxWetDry" },
            { 1, "Mod Depth",      0,   127, 127, knob,  yes, "Value" },
            { 2, "LFO Tempo Sync", 0,   1,   1,   onOff, no,  "OnOff" },
            { 3, "LFO Frequency",  0,   127, 52,  knob,  yes, "LfoFreq" },
            { 4, "LFO Sync Note",  0,   16,  5,   list,  yes, "LfoSyncNote" },
            { 5, "LFO Waveform",   0,   4,   3,   list,  no,  "FxLfoWave" },
            { 6, "LFO Shape",      -63, 63,  0,   knob,  no,  "Value" },
            { 7, "LFO Key Sync",   0,   1,   0,   list,  no,  "FxLfoKeySync" },
            { 8, "LFO Init Phase", 0,   18,  0,   list,  no,  "LfoInitPhase" },
            { 9, "LFO Spread",     -18, 18,  18,  knob,  no,  "FxLfoSpread" } } },

        { "Ring Modulator", 2, 0, { none, lfoSync (7, 8, 9), keySync (12) }, {
            { 0,  "Dry/Wet",         0,   100, 100, knob,  yes, "FxWetDry" },
            { 1,  "OSC Mode",        0,   1,   0,   list,  no,  "FxOscMode" },
            { 2,  "Fixed Frequency", 0,   127, 47,  knob,  yes, "FxFreq_0_12000" },
            { 3,  "Note Offset",     -48, 48,  0,   knob,  yes, "Value" },
            { 4,  "Note Fine",       -50, 50,  0,   knob,  no,  "FxFineValue" },
            { 5,  "OSC Waveform",    0,   2,   2,   list,  no,  "FxOscWave" },
            { 6,  "LFO Intensity",   -63, 63,  0,   knob,  yes, "Value" },
            { 7,  "LFO Tempo Sync",  0,   1,   0,   onOff, no,  "OnOff" },
            { 8,  "LFO Frequency",   0,   127, 28,  knob,  yes, "LfoFreq" },
            { 9,  "LFO Sync Note",   0,   16,  8,   list,  yes, "LfoSyncNote" },
            { 10, "LFO Waveform",    0,   4,   2,   list,  no,  "FxLfoWave" },
            { 11, "LFO Shape",       -63, 63,  0,   knob,  no,  "Value" },
            { 12, "LFO Key Sync",    0,   1,   0,   list,  no,  "FxLfoKeySync" },
            { 13, "LFO Init Phase",  0,   18,  0,   list,  no,  "LfoInitPhase" },
            { 14, "Pre LPF",         0,   127, 0,   knob,  no,  "Value" } } },

        { "Grain Shifter", 7, 2, { timeSync (1, 2, 4), lfoSync (6, 7, 8), keySync (9) }, {
            { 0,  "Dry/Wet",             0, 100, 100, knob,  yes, "FxWetDry" },
            { 1,  "Duration Tempo Sync", 0, 1,   0,   onOff, no,  "OnOff" },
            { 2,  "Time Ratio",          0, 127, 64,  knob,  yes, "FxTimeRatio" },
            { 3,  "Duration",            0, 127, 30,  knob,  no,  "FxDelay_0_350" },
            { 4,  "Time Ratio",          0, 14,  7,   knob,  yes, "FxTimeRatioSyncOn" },
            { 5,  "Duration",            0, 13,  0,   list,  no,  "FxDelaySyncNote" },
            { 6,  "LFO Tempo Sync",      0, 1,   0,   onOff, no,  "OnOff" },
            { 7,  "LFO Frequency",       0, 127, 66,  knob,  yes, "LfoFreq" },
            { 8,  "LFO Sync Note",       0, 16,  11,  list,  yes, "LfoSyncNote" },
            { 9,  "LFO Key Sync",        0, 1,   0,   list,  no,  "FxLfoKeySync" },
            { 10, "LFO Init Phase",      0, 18,  0,   knob,  no,  "LfoInitPhase" } } },

        { "Pitch Shifter", 1, 0, { timeSync (3, 4, 6), none, none }, {
            { 0,  "Dry/Wet",           0,   100, 100, knob,  yes, "FxWetDry" },
            { 1,  "Pitch Shift",       -24, 24,  -12, knob,  yes, "Value" },
            { 2,  "Fine",              -50, 50,  0,   knob,  no,  "FxFineValue" },
            { 3,  "Delay Tempo Sync",  0,   1,   0,   onOff, no,  "OnOff" },
            { 4,  "Time Ratio",        0,   127, 64,  knob,  no,  "FxTimeRatio" },
            { 5,  "Delay Time",        0,   127, 0,   knob,  no,  "FxDelay_0_500" },
            { 6,  "Time Ratio",        0,   14,  7,   knob,  no,  "FxTimeRatioSyncOn" },
            { 7,  "Delay Time",        0,   13,  8,   list,  no,  "FxDelaySyncNote" },
            { 8,  "Feedback Position", 0,   1,   0,   list,  no,  "FxFBPosition" },
            { 9,  "Feedback",          0,   127, 0,   knob,  no,  "Value" },
            { 10, "Mode",              0,   2,   2,   list,  no,  "FxPitchShifterMode" },
            { 11, "High Damp",         0,   100, 0,   knob,  no,  "PercentValue" },
            { 12, "Trim",              0,   127, 127, knob,  no,  "Value" } } },

        { "Talking Modulator ", 1, 5, { none, lfoSync (9, 10, 11), keySync (14) }, {
            { 0,  "Dry/Wet",        0,   100, 100, knob,  yes, "FxWetDry" },
            { 1,  "Voice Control",  -63, 63,  0,   knob,  yes, "FxVoiceCtrl" },
            { 2,  "Voice Top",      0,   4,   1,   list,  yes, "FxTalkModVoice" },
            { 3,  "Voice Center",   0,   4,   0,   list,  yes, "FxTalkModVoice" },
            { 4,  "Voice Bottom",   0,   4,   2,   list,  yes, "FxTalkModVoice" },
            { 5,  "Resonance",      0,   127, 63,  knob,  yes, "Value" },
            { 6,  "Drive",          0,   127, 0,   knob,  yes, "Value" },
            { 7,  "Mod Depth",      -63, 63,  63,  knob,  yes, "Value" },
            { 8,  "Mod Response",   0,   127, 127, knob,  no,  "Value" },
            { 9,  "LFO Tempo Sync", 0,   1,   1,   onOff, no,  "OnOff" },
            { 10, "LFO Frequency",  0,   127, 28,  knob,  yes, "LfoFreq" },
            { 11, "LFO Sync Note",  0,   16,  5,   list,  yes, "LfoSyncNote" },
            { 12, "LFO Waveform",   0,   4,   3,   list,  no,  "FxLfoWave" },
            { 13, "LFO Shape",      -63, 63,  0,   knob,  no,  "Value" },
            { 14, "LFO KeySync",    0,   1,   0,   onOff, no,  "FxLfoKeySync" },
            { 15, "LFO Init Phase", 0,   18,  0,   list,  no,  "LfoInitPhase" } } },

        { "Looper", 1, 0, { none, none, none }, {
            { 0, "Switch",        0, 2,   0,  list,  yes, "FxLooperSw" },
            { 1, "Length",        0, 7,   7,  list,  yes, "FxLooperLength" },
            { 2, "Speed",         0, 127, 62, knob,  yes, "FxLooperSpeed" },
            { 3, "Direct Switch", 0, 1,   0,  onOff, no,  "OnOff" } } },
    };

    TableData table;

    for (int type = 0; type < EffectParameterTable::numTypes; ++type)
    {
        const auto& definition = definitions[type];
        auto& info = table.types[(size_t) type];
        info.name = definition.name;
        info.knob1Default = definition.knob1Default;
        info.knob2Default = definition.knob2Default;
        info.timeSyncRule = definition.rules.timeSync;
        info.lfoSyncRule = definition.rules.lfoSync;
        info.keySyncRule = definition.rules.keySync;

        for (const auto& row : definition.parameters)
            table.slots[(size_t) type][(size_t) row.slot] = makeParameter (row);
    }
    return table;
}

const TableData& tableData()
{
    static const TableData data = buildTable();   // built once, thread-safe
    return data;
}
}

const EffectTypeInfo* EffectParameterTable::getTypeInfo (int type) const
{
    if (type < 0 || type >= numTypes)
        return nullptr;

    return &tableData().types[(size_t) type];
}

const EffectParameterInfo* EffectParameterTable::getParameterInfo (int type, int slot) const
{
    if (type < 0 || type >= numTypes || slot < 0 || slot >= numSlots)
        return nullptr;

    return &tableData().slots[(size_t) type][(size_t) slot];
}

juce::String EffectParameterTable::getTypeName (int type) const
{
    const auto* info = getTypeInfo (type);
    return info != nullptr ? info->name : juce::String();
}
