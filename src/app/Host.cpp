#include "app/Host.h"

#include "app/GuiController.h"
#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "data/AudioBuffer.h"
#include "gui/dialogs/AlertWindowMessageBoxes.h"
#include "gui/dialogs/GuiControllerBusyFlag.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"
#include "resources/DebugLogger.h"
#include "resources/FontManager.h"
#include "resources/GuiTranslations.h"
#include "resources/ImageResourceManager.h"
#include "resources/ResourceLanguage.h"
#include "resources/StringTable.h"

namespace
{
constexpr int undoMaximumUnits = 10000000;
constexpr int undoMinimumTransactions = 1;
}

Host::Host()
{
    if (resources.get() != nullptr)
        GuiTranslations::install();

    useSystemGuiFont();

    parameterStrings = std::make_unique<StringTable> ("ParameterStrings");

    commandManager = std::make_unique<juce::ApplicationCommandManager>();
    undoManager = std::make_unique<juce::UndoManager> (undoMaximumUnits, undoMinimumTransactions);
    undoManager->addChangeListener (this);

    applyPreferences();

    guiController = std::make_unique<GuiController>();
    messageBoxes = std::make_unique<AlertWindowMessageBoxes> (std::make_unique<GuiControllerBusyFlag>());
    MessageBoxes::setCurrent (messageBoxes.get());
}

Host::~Host()
{
    MessageBoxes::setCurrent (nullptr);
    messageBoxes.reset();
    guiController.reset();

    if (undoManager != nullptr)
        undoManager->removeChangeListener (this);

    undoManager.reset();
    commandManager.reset();
    parameterStrings.reset();

    GuiTranslations::remove();
}

void Host::useSystemGuiFont()
{
    const auto language = resources.get() != nullptr ? resources.get()->getLanguage() : ResourceLanguage::current();

    if (auto typeface = FontManager::systemGuiTypeface (language))
        juce::LookAndFeel::getDefaultLookAndFeel().setDefaultSansSerifTypeface (typeface);
}

void Host::applyPreferences()
{
    if (auto* prefs = preferences.get())
        if (const int scale = prefs->getNumber (PreferencesData::waveGraphViewScale); scale > 0)
            waveView.scale = scale;
}

bool Host::isReady() const
{
    return resources.get() != nullptr
        && preferences.get() != nullptr
        && messageEngine.get() != nullptr
        && guiController != nullptr
        && commandManager != nullptr
        && undoManager != nullptr;
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
