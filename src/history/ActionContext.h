#pragma once

#include <atomic>
#include <functional>

class DataCenter;
class TransmitNoticeManager;

// What the undoable actions reach besides the data they change. The Host
// fills one in at start-up and installs it for the program's run; actions
// look it up afresh at every perform and undo and keep nothing but indices.
// Anything left empty is simply not told.
struct ActionContext
{
    // Holds the edit bank and the document's modified flag.
    DataCenter* dataCenter = nullptr;

    // Records which samples and patterns differ from the device.
    TransmitNoticeManager* transmitNotices = nullptr;

    // Sends one parameter change to the device (the sender drops it when
    // it is not wanted or cannot go): block, parameter, value.
    std::function<void (int block, int parameter, int value)> sendParameterChange;

    // The sample player takes the sample of the slot if it holds that slot.
    std::function<void (int sampleIndex)> refreshPlayer;

    // The waveform selection becomes start 0, end 0, both channels off.
    std::function<void()> clearWaveSelection;

    // Runs the Transmit Effect command: the whole effect goes to the device.
    std::function<void()> transmitEffect;

    // The context every action uses; null while none is installed.
    static ActionContext* getCurrent() noexcept { return current.load(); }
    static void setCurrent (ActionContext* context) noexcept { current.store (context); }

private:
    static inline std::atomic<ActionContext*> current { nullptr };
};

// Installs a context for its lifetime, then puts back the one before.
class ScopedActionContext
{
public:
    explicit ScopedActionContext (ActionContext& context)
        : previous (ActionContext::getCurrent())
    {
        ActionContext::setCurrent (&context);
    }

    ~ScopedActionContext() { ActionContext::setCurrent (previous); }

    ScopedActionContext (const ScopedActionContext&) = delete;
    ScopedActionContext& operator= (const ScopedActionContext&) = delete;

private:
    ActionContext* const previous;
};
