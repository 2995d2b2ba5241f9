#include "cli/CliRunner.h"

#include <gtest/gtest.h>

namespace
{
juce::var findSlot (const juce::var& type, int slot)
{
    for (const auto& parameter : *type["parameters"].getArray())
        if ((int) parameter["slot"] == slot)
            return parameter;

    return {};
}
}

TEST (CliEffectTable, PrintsEveryTypeAsJson)
{
    auto result = runCli ({ "effect-table", "--json" });
    ASSERT_EQ (result.exitCode, 0) << result.err;

    const auto types = result.json();
    ASSERT_TRUE (types.isArray());
    ASSERT_EQ (types.size(), 22);

    EXPECT_EQ (types[0]["name"].toString(), "Effect Off");
    EXPECT_EQ (types[0]["parameters"].size(), 0);
    EXPECT_EQ (types[20]["name"].toString(), "Talking Modulator ");
    EXPECT_EQ (types[21]["parameters"].size(), 4);

    const auto reverb = types[6];
    EXPECT_EQ ((int) reverb["type"], 6);
    EXPECT_EQ ((int) reverb["knob1Default"], 2);
    EXPECT_EQ ((int) reverb["knob2Default"], 0);
    EXPECT_EQ (reverb["rules"].getDynamicObject()->getProperties().size(), 0);

    const auto dryWet = findSlot (reverb, 0);
    EXPECT_EQ (dryWet["name"].toString(), "Dry/Wet");
    EXPECT_EQ ((int) dryWet["minimum"], 0);
    EXPECT_EQ ((int) dryWet["maximum"], 100);
    EXPECT_EQ ((int) dryWet["offset"], 0);
    EXPECT_TRUE ((bool) dryWet["assignable"]);
    EXPECT_EQ (dryWet["control"].toString(), "knob");
    EXPECT_EQ ((int) dryWet["default"], 10);
    EXPECT_EQ (dryWet["format"].toString(), "FxWetDry");
    EXPECT_EQ (dryWet["texts"]["minimum"].toString(), "Dry");
    EXPECT_EQ (dryWet["texts"]["default"].toString(), "90:10");
    EXPECT_EQ (dryWet["texts"]["maximum"].toString(), "Wet");
    EXPECT_EQ (findSlot (reverb, 1)["control"].toString(), "list");
    EXPECT_EQ (findSlot (reverb, 1)["texts"]["default"].toString(), "Smooth Hall");

    const auto panning = types[9];
    EXPECT_EQ ((int) panning["rules"]["timeSync"]["controller"], 1);
    EXPECT_EQ ((int) panning["rules"]["timeSync"]["second"], 5);
    EXPECT_EQ ((int) panning["rules"]["lfoSync"]["first"], 11);
    EXPECT_EQ ((int) panning["rules"]["keySync"]["controller"], 15);
    EXPECT_EQ (findSlot (panning, 1)["control"].toString(), "switch");

    const auto spread = findSlot (panning, 17);
    EXPECT_EQ ((int) spread["offset"], 64);
    EXPECT_EQ (spread["texts"]["minimum"].toString(), "-180");
    EXPECT_EQ (spread["texts"]["default"].toString(), "+90");

    EXPECT_EQ (findSlot (types[19], 1)["texts"]["default"].toString(), "-12");
    EXPECT_EQ (findSlot (types[21], 1)["texts"]["maximum"].toString(), "4/1");
    EXPECT_TRUE (findSlot (types[6], 8).isVoid());   // empty slots are left out
}

TEST (CliEffectTable, PrintsReadableTextAndRejectsArguments)
{
    auto text = runCli ({ "effect-table" });
    ASSERT_EQ (text.exitCode, 0) << text.err;
    EXPECT_TRUE (text.out.contains ("Type 21: \"Looper\""));
    EXPECT_TRUE (text.out.contains ("Smooth Hall"));

    EXPECT_EQ (runCli ({ "effect-table", "extra" }).exitCode, 2);
    EXPECT_TRUE (runCli ({ "--help" }).out.contains ("effect-table"));
}
