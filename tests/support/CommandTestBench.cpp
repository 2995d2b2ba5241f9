#include "support/CommandTestBench.h"

#include "device/ItemSession.h"
#include "support/SilentAudioDeviceType.h"

namespace CommandTestSupport
{
CommandBench::CommandBench()
{
    dataCenter = std::make_unique<DataCenter> (parameterStrings);

    AudioPlayerManager::Hooks hooks;
    hooks.getSample = [this] (int index) -> const SampleData* { return &sample (index); };
    hooks.getSelection = [this] { return selection; };
    hooks.canPlay = [this] { return gui.page == 1; };
    hooks.showMessage = [] (const juce::String&) {};
    players = std::make_unique<AudioPlayerManager> (
        std::make_unique<AudioEngine> (TestSupport::SilentAudioDeviceType::settings(),
                                       TestSupport::SilentAudioDeviceType::asDeviceTypes()),
        std::move (hooks));

    device.open();

    actionContext.dataCenter = dataCenter.get();
    actionContext.transmitNotices = &notices;
    actionContext.sendParameterChange = [this] (int block, int parameter, int value)
    {
        device.getManager().sendParameterChange (block, parameter, value);
    };
    actionContext.refreshPlayer = [this] (int index) { players->reloadSample (index); };
    actionContext.clearWaveSelection = [this] { selection = {}; };
    scopedActionContext = std::make_unique<ScopedActionContext> (actionContext);
    ItemSession::setUndoManager (&history);

    FileManager::Services services;
    services.dataCenter = dataCenter.get();
    services.undoManager = &history;
    services.choosers = &choosers;
    services.importRunner = &importRunner;
    services.transmitNotices = &notices;
    services.guiExists = [this] { return guiPresent; };
    services.refreshPlayer = [this] { players->selectSample (currentSampleIndex()); };
    services.clearWaveSelection = [this] { clearWaveSelectionFlags(); };
    services.currentPattern = [this] { return currentPattern; };
    files = std::make_unique<FileManager> (services);

    actions = std::make_unique<ActionManager> (*this);
}

CommandBench::~CommandBench()
{
    ItemSession::setUndoManager (nullptr);
}

void CommandBench::setCurrentSample (int index)
{
    auto& samples = dataCenter->getEditBank().getSampleSet();
    if (samples.getCurrentSampleIndex() == index)
        return;

    samples.setCurrentSampleIndex (index);
    players->selectSample (index);
    selection = {};
}

bool CommandBench::invoke (int commandId)
{
    return isEnabled (commandId) && actions->perform (commandId);
}

CommandDescription CommandBench::describe (int commandId) const
{
    CommandDescription description;
    actions->describe (commandId, description);
    return description;
}

void fillSample (SampleData& sample, int frames)
{
    sample.resize (1, frames, 48000.0, false);
    for (int i = 0; i < frames; ++i)
        sample.getAudio().setSample (0, i, 0.5f * (float) std::sin (i * 0.1));
}
}
