#include "audio/ResamplerMeasurement.h"

#include <gtest/gtest.h>

using namespace ResamplerMeasurement;

// The 44.1 to 48 kHz conversion of the import keeps its quality. The limits
// lie a few dB under what it reaches (bench/quality prints the figures).
TEST (ResamplerQuality, TonesUpTo20kHzKeepTheirLevelWithoutImagesOrAliases)
{
    for (double frequency : passbandTones)
    {
        SCOPED_TRACE (testing::Message() << frequency << " Hz");
        const auto result = measureTone (frequency);
        EXPECT_NEAR (result.gainDb, 0.0, 0.001);
        EXPECT_LE (result.spuriousDb, -115.0) << "strongest at " << result.spuriousFrequency << " Hz";
    }
}

TEST (ResamplerQuality, A1kHzToneGainsLittleDistortionAndNoise)
{
    EXPECT_LE (thdPlusNoiseDb (1000.0), -130.0);
}
