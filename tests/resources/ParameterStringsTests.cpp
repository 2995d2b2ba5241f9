#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{
struct ListExpectation
{
    const char* list;
    int count;
    std::vector<std::pair<int, const char*>> items;   // index, text
};

// Every list with its first and last item and, for lists built from runs of
// evenly spaced values, the items on both sides of every run boundary.
const std::vector<ListExpectation> expectations = {
    { "OnOff", 2, { { 0, "Off" }, { 1, "On" } } },
    { "FxEnvSel", 2, { { 0, "LR Mix" }, { 1, "LR Indiv." } } },
    { "FxFltType", 5, { { 0, "LPF24" }, { 3, "HPF12" }, { 4, "BPF12" } } },
    { "FxLfoWave", 5, { { 0, "Saw" }, { 4, "S&H" } } },
    { "FxLfoKeySync", 2, { { 0, "Off" }, { 1, "On" } } },
    { "LfoSyncNote", 17, { { 0, "8/1" }, { 4, "3/4" }, { 9, "3/16" }, { 16, "1/64" } } },
    { "LfoInitPhase", 19, { { 0, "0" }, { 1, "10" }, { 18, "180" } } },
    { "FxEqBand1Type", 2, { { 0, "Peaking" }, { 1, "Shelving Low" } } },
    { "FxEqBand2Type", 2, { { 0, "Peaking" }, { 1, "Shelving High" } } },
    { "FxReverbType", 6, { { 0, "Hall" }, { 1, "Smooth Hall" }, { 4, "Room" }, { 5, "Bright Room" } } },
    { "FxStDelayType", 2, { { 0, "Stereo" }, { 1, "Cross" } } },
    { "FxDelaySyncNote", 14, { { 0, "1/64" }, { 7, "3/16" }, { 13, "1/1" } } },
    { "FxFlangerPhase", 2, { { 0, "+" }, { 1, "-" } } },
    { "FxPhaserType", 2, { { 0, "Blue" }, { 1, "U-VB" } } },
    { "FxOscMode", 2, { { 0, "Fixed" }, { 1, "Note" } } },
    { "FxOscWave", 3, { { 0, "Saw" }, { 2, "Sine" } } },
    { "FxTalkModVoice", 5, { { 0, "A" }, { 4, "O" } } },
    { "FxFBPosition", 2, { { 0, "Pre" }, { 1, "Post" } } },
    { "FxPitchShifterMode", 3, { { 0, "Slow" }, { 2, "Fast" } } },
    { "FxLooperSw", 3, { { 0, "Rec" }, { 1, "Loop Play" }, { 2, "Overdub" } } },
    { "FxLooperLength", 8, { { 0, "1/32" }, { 5, "1/1" }, { 6, "2/1" }, { 7, "4/1" } } },
    { "FxTimeRatioSyncOn", 15, { { 0, "12.50%" }, { 7, "100.00%" }, { 9, "133.00%" }, { 14, "400.00%" } } },
    { "FxDeciBit", 21, { { 0, "4bit" }, { 8, "12bit" }, { 20, "24bit" } } },
    { "FxDeciFs", 95, { { 0, "1.0kHz" }, { 1, "1.5kHz" }, { 22, "12.0kHz" }, { 94, "48.0kHz" } } },
    { "FxReverbTime", 100, { { 0, "0.1sec" }, { 9, "1.0sec" }, { 99, "10.0sec" } } },
    { "FxReverbTimeShort", 100, { { 0, "20ms" }, { 49, "1000ms" }, { 50, "1040ms" }, { 99, "3000ms" } } },
    { "FxDelay_0_30", 114, { { 0, "0.0ms" }, { 60, "6.0ms" }, { 61, "6.2ms" }, { 75, "9.0ms" }, { 76, "9.3ms" },
                             { 100, "16.5ms" }, { 101, "17.0ms" }, { 107, "20.0ms" }, { 108, "21.0ms" },
                             { 109, "22.0ms" }, { 113, "30.0ms" } } },
    { "FxDelay_0_50", 120, { { 0, "0.0ms" }, { 20, "2.0ms" }, { 21, "2.2ms" }, { 40, "6.0ms" }, { 41, "6.3ms" },
                             { 60, "12.0ms" }, { 61, "12.5ms" }, { 102, "33.0ms" }, { 103, "34.0ms" },
                             { 119, "50.0ms" } } },
    { "FxDelay_0_350", 128, { { 0, "0ms" }, { 50, "50ms" }, { 51, "52ms" }, { 80, "110ms" }, { 81, "115ms" },
                              { 126, "340ms" }, { 127, "350ms" } } },
    { "FxDelay_0_500", 128, { { 0, "0ms" }, { 30, "30ms" }, { 31, "32ms" }, { 55, "80ms" }, { 56, "85ms" },
                              { 115, "380ms" }, { 116, "390ms" }, { 127, "500ms" } } },
    { "FxDelay_0_1400", 128, { { 0, "0ms" }, { 10, "10ms" }, { 11, "12ms" }, { 20, "30ms" }, { 21, "35ms" },
                               { 44, "150ms" }, { 45, "160ms" }, { 85, "560ms" }, { 86, "580ms" },
                               { 127, "1400ms" } } },
    { "FxFreq_0_12000", 128, { { 0, "0Hz" }, { 5, "10Hz" }, { 6, "15Hz" }, { 9, "30Hz" }, { 10, "40Hz" },
                               { 21, "150Hz" }, { 22, "170Hz" }, { 36, "450Hz" }, { 37, "500Hz" },
                               { 46, "950Hz" }, { 47, "1.00kHz" }, { 48, "1.05kHz" }, { 61, "1.70kHz" },
                               { 62, "1.80kHz" }, { 90, "4.60kHz" }, { 91, "4.80kHz" }, { 116, "9.80kHz" },
                               { 117, "10.0kHz" }, { 127, "12.0kHz" } } },
    { "LfoFreq", 128, { { 0, "0.01Hz" }, { 24, "0.25Hz" }, { 25, "0.29Hz" }, { 26, "0.33Hz" }, { 27, "0.42Hz" },
                        { 29, "0.58Hz" }, { 30, "0.67Hz" }, { 32, "0.83Hz" }, { 33, "0.92Hz" },
                        { 34, "1.00Hz" }, { 35, "1.13Hz" }, { 36, "1.25Hz" }, { 37, "1.38Hz" },
                        { 65, "4.88Hz" }, { 66, "5.00Hz" }, { 86, "10.00Hz" }, { 87, "10.50Hz" },
                        { 96, "15.00Hz" }, { 97, "16.00Hz" }, { 101, "20.00Hz" }, { 102, "21.50Hz" },
                        { 107, "29.00Hz" }, { 108, "31.00Hz" }, { 113, "41.00Hz" }, { 114, "44.00Hz" },
                        { 117, "53.00Hz" }, { 118, "57.00Hz" }, { 120, "65.00Hz" }, { 121, "70.00Hz" },
                        { 126, "95.00Hz" }, { 127, "100.0Hz" } } },
    { "FxGateAttack", 128, { { 0, "0.1ms" }, { 19, "2.0ms" }, { 20, "2.2ms" }, { 31, "4.4ms" }, { 32, "4.7ms" },
                             { 41, "7.4ms" }, { 42, "7.8ms" }, { 46, "9.4ms" }, { 47, "10.0ms" },
                             { 54, "13.5ms" }, { 55, "14ms" }, { 66, "25ms" }, { 67, "27ms" }, { 69, "29ms" },
                             { 70, "31ms" }, { 71, "32ms" }, { 73, "36ms" }, { 74, "37ms" }, { 77, "43ms" },
                             { 78, "46ms" }, { 80, "50ms" }, { 81, "53ms" }, { 82, "55ms" }, { 85, "64ms" },
                             { 86, "68ms" }, { 87, "71ms" }, { 88, "75ms" }, { 89, "78ms" }, { 91, "86ms" },
                             { 92, "91ms" }, { 94, "99ms" }, { 95, "104ms" }, { 96, "110ms" }, { 97, "115ms" },
                             { 100, "133ms" }, { 101, "140ms" }, { 104, "162ms" }, { 105, "170ms" },
                             { 108, "197ms" }, { 109, "207ms" }, { 112, "240ms" }, { 113, "252ms" },
                             { 115, "278ms" }, { 116, "292ms" }, { 118, "322ms" }, { 119, "338ms" },
                             { 120, "355ms" }, { 122, "391ms" }, { 123, "411ms" }, { 125, "453ms" },
                             { 126, "476ms" }, { 127, "500ms" } } },
    { "FxTimeRatio", 128, { { 0, "0.50%" }, { 19, "10.00%" }, { 20, "11.00%" }, { 21, "12.50%" }, { 22, "13.00%" },
                            { 24, "15.00%" }, { 25, "16.70%" }, { 26, "17.00%" }, { 32, "23.00%" },
                            { 33, "25.00%" }, { 34, "28.00%" }, { 36, "32.00%" }, { 37, "33.30%" },
                            { 38, "36.00%" }, { 45, "50.00%" }, { 46, "53.00%" }, { 50, "65.00%" },
                            { 51, "66.60%" }, { 52, "72.00%" }, { 55, "81.00%" }, { 56, "85.00%" },
                            { 57, "89.00%" }, { 60, "98.00%" }, { 61, "100.00%" }, { 65, "100.00%" },
                            { 66, "101.00%" }, { 75, "110.00%" }, { 76, "112.00%" }, { 81, "122.00%" },
                            { 82, "123.00%" }, { 86, "133.30%" }, { 87, "134.00%" }, { 90, "140.00%" },
                            { 91, "143.00%" }, { 93, "150.00%" }, { 94, "152.00%" }, { 110, "200.00%" },
                            { 111, "205.00%" }, { 116, "230.00%" }, { 117, "240.00%" }, { 121, "280.00%" },
                            { 122, "300.00%" }, { 127, "400.00%" } } },
    { "FxLooperSpeed", 128, { { 0, "-1.000" }, { 3, "-0.700" }, { 4, "-0.650" }, { 9, "-0.400" }, { 10, "-0.375" },
                              { 21, "-0.100" }, { 22, "-0.090" }, { 30, "-0.010" }, { 31, " 0.000" },
                              { 32, "+0.010" }, { 41, "+0.100" }, { 42, "+0.125" }, { 53, "+0.400" },
                              { 54, "+0.450" }, { 59, "+0.700" }, { 60, "+0.800" }, { 61, "+0.900" },
                              { 62, "+1.000" }, { 65, "+1.000" }, { 66, "+1.010" }, { 71, "+1.060" },
                              { 72, "+1.080" }, { 83, "+1.300" }, { 84, "+1.325" }, { 91, "+1.500" },
                              { 92, "+1.550" }, { 101, "+2.000" }, { 102, "+2.100" }, { 106, "+2.500" },
                              { 107, "+2.625" }, { 110, "+3.000" }, { 111, "+3.250" }, { 114, "+4.000" },
                              { 115, "+4.500" }, { 122, "+8.000" }, { 123, "+9.000" }, { 124, "+10.000" },
                              { 127, "+16.000" } } },
    { "FxEqFrequency", 59, { { 0, "20Hz" }, { 24, "315Hz" }, { 25, "400Hz" }, { 32, "900Hz" }, { 33, "1.00kHz" },
                             { 51, "9.00kHz" }, { 52, "10.0kHz" }, { 58, "20.0kHz" } } },
    { "AmpLevel", 128, { { 0, "-INFdB" }, { 1, "-74.0dB" }, { 51, "-24.0dB" }, { 52, "-23.5dB" }, { 98, "-0.5dB" },
                         { 99, "+0.0dB" }, { 103, "+0.0dB" }, { 104, "+0.5dB" }, { 127, "+12.0dB" } } },
};
}

TEST (ParameterStrings, EveryListHasItsItemsInOrder)
{
    const StringTable table ("ParameterStrings");
    ASSERT_TRUE (table.isLoaded());

    for (const auto& expected : expectations)
    {
        SCOPED_TRACE (expected.list);
        EXPECT_EQ (table.getNumItems (expected.list), expected.count);
        EXPECT_EQ (table.getItem (expected.list, expected.count), "");

        for (const auto& [index, text] : expected.items)
            EXPECT_EQ (table.getItem (expected.list, index), juce::String (text)) << "item " << index;
    }
}

TEST (ParameterStrings, HoldsNoOtherLists)
{
    const auto root = juce::XmlDocument::parse (juce::File (PLOVARA_SOURCE_DIR).getChildFile ("resources/xml/ParameterStrings.xml"));
    ASSERT_NE (root, nullptr);
    EXPECT_EQ (root->getTagName(), "Strings");
    EXPECT_EQ (root->getNumChildElements(), (int) expectations.size());
}
