#pragma once

#include "audio/dsp/FirFilters.h"
#include "audio/dsp/SimpleBufferPcm.h"

#include <initializer_list>
#include <memory>
#include <vector>

// Fixed-ratio sampling-rate converters: chains of one to three filter
// engines. The output rate is the input rate × getOutputFactor() /
// getInputFactor(); getDelay() is the chain's group delay in input frames.
class CConverterDspBase
{
public:
    virtual ~CConverterDspBase() = default;

    virtual int getInputFactor() const = 0;
    virtual int getOutputFactor() const = 0;
    virtual int getDelay() const = 0;
    virtual void reset() = 0;
    // Converts n input frames per channel; returns the output frames. The
    // caller provides room for ⌈n × output factor / input factor⌉ frames.
    virtual int process (const float* const* inputs, float* const* outputs, int n) = 0;
};

// How one engine of a converter is built.
struct ConverterStage
{
    enum class Kind { decimator, resampler, interpolator };

    Kind kind;
    int taps;
    int rate;
    int cutoff;
    int up;
    int down;
    double gainDb = 0.0;
    double attenuation = 120.0;

    // Gain of 2: the level lost by the earlier stages of the 1-bit paths.
    static constexpr double doubleGainDb = 6.0206;

    static ConverterStage decimator (int taps, int rate, int cutoff, int down, double gainDb = 0.0);
    static ConverterStage resampler (int taps, int rate, int cutoff, int up, int down, double gainDb = 0.0);
    static ConverterStage interpolator (int taps, int rate, int cutoff, int up);
    ConverterStage withAttenuation (double attenuationDb) const;
};

// A chain of engines. With one stage it forwards to the engine; with more,
// it cuts the input into chunks that fill its 1024-frame buffer, runs the
// first stage into the buffer, the middle stages in place in the buffer and
// the last stage into the output. With none it copies.
class CConverterPcmOutputDspBase : public CConverterDspBase
{
public:
    static constexpr int bufferFrames = 1024;

    int getInputFactor() const override;
    int getOutputFactor() const override;
    int getDelay() const override;
    void reset() override;
    int process (const float* const* inputs, float* const* outputs, int n) override;

    int getNumChannels() const { return numChannels; }
    int getNumStages() const { return (int) stages.size(); }
    const CFirLpfBase& getStage (int index) const { return *stages[(size_t) index]; }

protected:
    CConverterPcmOutputDspBase (int channels, std::initializer_list<ConverterStage> stageList);

    // Changes the design of one stage after construction; the kind stays.
    void setUpStageAgain (int index, const ConverterStage& stage);

private:
    int processChain (const float* const* inputs, float* const* outputs, int n);
    int copy (const float* const* inputs, float* const* outputs, int n) const;

    int numChannels;
    std::vector<std::unique_ptr<CFirLpfBase>> stages;
    std::unique_ptr<CSimpleBufferPcm> buffer;
};

class CConverterPcmOutput1xStageDspBase : public CConverterPcmOutputDspBase
{
protected:
    CConverterPcmOutput1xStageDspBase (int channels, const ConverterStage& stage1);
};

class CConverterPcmOutput2xStageDspBase : public CConverterPcmOutputDspBase
{
protected:
    CConverterPcmOutput2xStageDspBase (int channels, const ConverterStage& stage1, const ConverterStage& stage2);
};

class CConverterPcmOutput3xStageDspBase : public CConverterPcmOutputDspBase
{
protected:
    CConverterPcmOutput3xStageDspBase (int channels, const ConverterStage& stage1, const ConverterStage& stage2,
                                       const ConverterStage& stage3);
};

// Equal rates: a copy with no delay.
class CConverterPcmOutputSameRate : public CConverterPcmOutputDspBase
{
public:
    explicit CConverterPcmOutputSameRate (int channels);
};

// The family, named after the nominal input and output rates. Each works for
// any pair of rates with the same ratio, its cutoff scaling in proportion.
class CConverter44_1kHz_To_48kHz : public CConverterPcmOutput1xStageDspBase { public: explicit CConverter44_1kHz_To_48kHz (int channels); };
class CConverter44_1kHz_To_88_2kHz : public CConverterPcmOutput1xStageDspBase { public: explicit CConverter44_1kHz_To_88_2kHz (int channels); };
class CConverter44_1kHz_To_96kHz : public CConverterPcmOutput1xStageDspBase { public: explicit CConverter44_1kHz_To_96kHz (int channels); };
class CConverter48kHz_To_44_1kHz : public CConverterPcmOutput1xStageDspBase { public: explicit CConverter48kHz_To_44_1kHz (int channels); };
class CConverter48kHz_To_88_2kHz : public CConverterPcmOutput1xStageDspBase { public: explicit CConverter48kHz_To_88_2kHz (int channels); };
class CConverter48kHz_To_176_4kHz : public CConverterPcmOutput1xStageDspBase { public: explicit CConverter48kHz_To_176_4kHz (int channels); };
class CConverter88_2kHz_To_44_1kHz : public CConverterPcmOutput1xStageDspBase { public: explicit CConverter88_2kHz_To_44_1kHz (int channels); };
class CConverter88_2kHz_To_48kHz : public CConverterPcmOutput1xStageDspBase { public: explicit CConverter88_2kHz_To_48kHz (int channels); };
class CConverter96kHz_To_44_1kHz : public CConverterPcmOutput1xStageDspBase { public: explicit CConverter96kHz_To_44_1kHz (int channels); };
class CConverter176_4kHz_To_48kHz : public CConverterPcmOutput1xStageDspBase { public: explicit CConverter176_4kHz_To_48kHz (int channels); };

class CConverter176_4kHz_To_44_1kHz : public CConverterPcmOutput2xStageDspBase { public: explicit CConverter176_4kHz_To_44_1kHz (int channels); };
class CConverter192kHz_To_44_1kHz : public CConverterPcmOutput2xStageDspBase { public: explicit CConverter192kHz_To_44_1kHz (int channels); };
class CConverter44_1kHz_To_176_4kHz : public CConverterPcmOutput2xStageDspBase { public: explicit CConverter44_1kHz_To_176_4kHz (int channels); };
class CConverter44_1kHz_To_192kHz : public CConverterPcmOutput2xStageDspBase { public: explicit CConverter44_1kHz_To_192kHz (int channels); };
class CConverter2_8MHz_To_176_4kHz : public CConverterPcmOutput2xStageDspBase { public: explicit CConverter2_8MHz_To_176_4kHz (int channels); };
class CConverter2_8MHz_To_176_4kHz_FastRolloff : public CConverter2_8MHz_To_176_4kHz { public: explicit CConverter2_8MHz_To_176_4kHz_FastRolloff (int channels); };
class CConverter2_8MHz_To_176_4kHz_SlowRolloff : public CConverter2_8MHz_To_176_4kHz { public: explicit CConverter2_8MHz_To_176_4kHz_SlowRolloff (int channels); };
class CConverter2_8MHz_To_192kHz : public CConverterPcmOutput2xStageDspBase { public: explicit CConverter2_8MHz_To_192kHz (int channels); };
class CConverter2_8MHz_To_192kHz_FastRolloff : public CConverter2_8MHz_To_192kHz { public: explicit CConverter2_8MHz_To_192kHz_FastRolloff (int channels); };
class CConverter2_8MHz_To_192kHz_SlowRolloff : public CConverter2_8MHz_To_192kHz { public: explicit CConverter2_8MHz_To_192kHz_SlowRolloff (int channels); };

class CConverter2_8MHz_To_44_1kHz : public CConverterPcmOutput3xStageDspBase { public: explicit CConverter2_8MHz_To_44_1kHz (int channels); };
class CConverter2_8MHz_To_48kHz : public CConverterPcmOutput3xStageDspBase { public: explicit CConverter2_8MHz_To_48kHz (int channels); };
class CConverter2_8MHz_To_88_2kHz : public CConverterPcmOutput3xStageDspBase { public: explicit CConverter2_8MHz_To_88_2kHz (int channels); };
class CConverter2_8MHz_To_96kHz : public CConverterPcmOutput3xStageDspBase { public: explicit CConverter2_8MHz_To_96kHz (int channels); };
class CConverter5_6MHz_To_44_1kHz : public CConverterPcmOutput3xStageDspBase { public: explicit CConverter5_6MHz_To_44_1kHz (int channels); };
class CConverter5_6MHz_To_48kHz : public CConverterPcmOutput3xStageDspBase { public: explicit CConverter5_6MHz_To_48kHz (int channels); };
class CConverter11_2MHz_To_44_1kHz : public CConverterPcmOutput3xStageDspBase { public: explicit CConverter11_2MHz_To_44_1kHz (int channels); };
class CConverter11_2MHz_To_48kHz : public CConverterPcmOutput3xStageDspBase { public: explicit CConverter11_2MHz_To_48kHz (int channels); };
