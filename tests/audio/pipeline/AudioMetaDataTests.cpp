#include "audio/pipeline/AudioMetaData.h"
#include "audio/pipeline/OutputProcess.h"

#include <gtest/gtest.h>

#include <string>

TEST (AudioMetaData, MarkersStayOrderedAndUniqueToAThousandth)
{
    CMarker markers;
    markers.add (2.0);
    markers.add (0.5);
    markers.add (2.0004);   // same as 2.0 after rounding × 1000
    markers.add (1.25);
    EXPECT_EQ (markers.getPositions(), (std::vector<double> { 0.5, 1.25, 2.0 }));

    CMarker copy;
    copy.add (0.7);
    copy.copyFrom (markers);
    EXPECT_EQ (copy.getPositions(), (std::vector<double> { 0.5, 0.7, 1.25, 2.0 }));
}

TEST (AudioMetaData, MultiStringCutsWideTextAndDerivesWideFromNarrow)
{
    CMultiString text;
    text.set ("Caf\xe9");
    EXPECT_EQ (std::wstring (text.getWide()), L"Caf\u00e9");

    text.set (L"Title   ");
    EXPECT_EQ (std::wstring (text.getWide()), L"Title");
    EXPECT_STREQ (text.get8Bit(), "Title");

    const std::wstring longText (200, L'x');
    text.set (longText.c_str());
    EXPECT_EQ (std::wstring (text.getWide()).size(), 128u);

    CAudioMetaData a, b;
    a.getField (3).set ("Artist");
    b.copyFrom (a);
    EXPECT_EQ (std::wstring (b.getField (3).getWide()), L"Artist");
    EXPECT_EQ (std::wstring (b.getField (0).getWide()), L"");
}

TEST (OutputProcess, TriangularDitherSpansOneStepEachWay)
{
    CAudioRecorderOutputProcessTpdfDither dither;
    dither.initialise();
    const float step = 1.0f / 32768.0f;
    float lowest = 0.0f, highest = 0.0f;
    double sum = 0.0;
    for (int i = 0; i < 100000; ++i)
    {
        const float d = dither.nextDither();
        lowest = std::min (lowest, d);
        highest = std::max (highest, d);
        sum += d;
    }
    EXPECT_GE (lowest, -step);
    EXPECT_LE (highest, step);
    EXPECT_LT (lowest, -0.9f * step);
    EXPECT_GT (highest, 0.9f * step);
    EXPECT_NEAR (sum / 100000.0, 0.0, step * 0.01);

    // The same seeds give the same sequence after initialise.
    CAudioRecorderOutputProcessNoiseShapedDither again;
    again.initialise();
    dither.initialise();
    EXPECT_EQ (again.nextDither(), dither.nextDither());
}
