#include "audio/pipeline/OutputProcess.h"

#include "audio/pipeline/AudioRecorderOutput.h"

#include <cmath>

std::unique_ptr<CAudioRecorderOutputProcessBase> CAudioRecorderOutputProcessBase::create (int kind)
{
    switch (kind)
    {
        case tpdfDither:        return std::make_unique<CAudioRecorderOutputProcessTpdfDither>();
        case noiseShapedDither: return std::make_unique<CAudioRecorderOutputProcessNoiseShapedDither>();
        default:                return std::make_unique<CAudioRecorderOutputProcessNone>();
    }
}

int CAudioRecorderOutputProcessBase::process (float* const* block, int frames)
{
    return output != nullptr && frames > 0 ? output->write (block, frames) : 0;
}

//==============================================================================
void CAudioRecorderOutputProcessTpdfDither::initialise()
{
    generatorA = 22222u;
    generatorB = 5555555u;
}

float CAudioRecorderOutputProcessTpdfDither::nextDither()
{
    generatorA = advance (generatorA);
    generatorB = advance (generatorB);
    const double sum = (double) (int32_t) generatorA + (double) (int32_t) generatorB;
    return (float) std::ldexp (sum, -(wordLength + 31));
}

int CAudioRecorderOutputProcessTpdfDither::process (float* const* block, int frames)
{
    if (output != nullptr && ! output->isFloatOutput())
        for (int i = 0; i < frames; ++i)
            for (int c = 0; c < output->getNumChannels(); ++c)
                block[c][i] += nextDither();

    return CAudioRecorderOutputProcessBase::process (block, frames);
}
