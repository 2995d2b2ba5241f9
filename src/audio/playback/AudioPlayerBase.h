#pragma once

// A source the engine mixes: renders stereo at the rate it was prepared for.
class AudioPlayerBase
{
public:
    virtual ~AudioPlayerBase() = default;

    // Message thread, before rendering starts or when the device changes.
    virtual void prepare (double rate, int blockSize) = 0;

    // Audio thread: writes exactly `frames` frames into each output.
    virtual void render (float* const* outputs, int channels, int frames) = 0;

    virtual bool isPlaying() const = 0;
};
