#include "app/Host.h"

#include "app/GuiController.h"
#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "data/AudioBuffer.h"

namespace
{
constexpr int undoMaximumUnits = 10000000;
constexpr int undoMinimumTransactions = 1;
}

Host::Host()
{
    holdsMessageEngine = MessageEngine::getInstance() != nullptr;
    holdsAudioBufferIds = AudioBufferIdManager::getInstance() != nullptr;

    commandManager = std::make_unique<juce::ApplicationCommandManager>();
    undoManager = std::make_unique<juce::UndoManager> (undoMaximumUnits, undoMinimumTransactions);
    undoManager->addChangeListener (this);

    guiController = std::make_unique<GuiController>();
}

Host::~Host()
{
    guiController.reset();

    if (undoManager != nullptr)
        undoManager->removeChangeListener (this);

    undoManager.reset();
    commandManager.reset();

    if (holdsAudioBufferIds)
        AudioBufferIdManager::releaseInstance();
    if (holdsMessageEngine)
        MessageEngine::releaseInstance();
}

bool Host::isReady() const
{
    return guiController != nullptr
        && commandManager != nullptr
        && undoManager != nullptr
        && MessageEngine::getInstancePointer() != nullptr;
}

void Host::setWaveSelection (const WaveSelectedStatus& selection)
{
    waveSelection = selection;
    MessageEngine::broadcast (MessageIds::dataChanged);
}

void Host::clearWaveSelectionFlags()
{
    auto selection = waveSelection;
    selection.channelFlags[0] = selection.channelFlags[1] = 0;
    setWaveSelection (selection);
}

void Host::setCurrentPage (int page)
{
    if (page < noPage || page > lastPage || guiController == nullptr || guiController->isMainComponentModal())
        return;

    if (guiController->getCurrentPage() == page)
        return;

    guiController->setCurrentPage (page);
    MessageEngine::broadcast (MessageIds::dataChanged);
}

void Host::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == undoManager.get())
        MessageEngine::broadcast (MessageIds::dataChanged);
}
