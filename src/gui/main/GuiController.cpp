#include "gui/main/GuiController.h"

#include "app/MessageEngine.h"
#include "device/UsbSessionManager.h"
#include "gui/dialogs/WriteWarningComponent.h"
#include "gui/main/MainWindow.h"
#include "gui/widgets/TempDialogWithNoCloseButton.h"

#include <juce_gui_basics/juce_gui_basics.h>
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"
#include "resources/MessageBoxes.h"

GuiController::GuiController()
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->addListener (this);
}

GuiController::~GuiController()
{
    watchSessions (nullptr);

    if (auto* engine = MessageEngine::getInstancePointer())
        engine->removeListener (this);

    mainWindow.reset();
}

bool GuiController::createMainWindow()
{
    if (mainWindow == nullptr)
        mainWindow = std::make_unique<MainWindow>();

    return mainWindow != nullptr;
}

bool GuiController::isMainComponentModal() const
{
    if (mainWindow == nullptr)
        return false;

    auto* content = mainWindow->getContentComponent();
    return content != nullptr && content->isCurrentlyBlockedByAnotherModalComponent();
}

void GuiController::handleMessage (const juce::Message& message)
{
    auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message);

    if (broadcast != nullptr && mainWindow != nullptr)
        mainWindow->handleBroadcast (broadcast->id);
}

void GuiController::watchSessions (UsbSessionManager* manager)
{
    if (sessions != nullptr)
        sessions->removeListener (this);

    sessions = manager;

    if (sessions != nullptr)
        sessions->addListener (this);
}

bool GuiController::isWaveformEditorShown() const
{
    auto* preferences = PreferencesData::getInstancePointer();
    return currentPage == samplePage
        && preferences != nullptr
        && preferences->getFlag (PreferencesData::showWaveformEditor);
}

bool GuiController::openSessionDialog (const juce::String&, int origin)
{
    if (isBusy() || sessionDialogOpen)
        return false;

    sessionDialogOpen = true;
    sessionOrigin = origin;
    setBusy (true);
    return true;
}

void GuiController::closeSessionDialog()
{
    if (! sessionDialogOpen)
        return;

    sessionDialogOpen = false;
    setBusy (false);
}

void GuiController::sessionFinished (UsbSession* session, bool success)
{
    if (! sessionDialogOpen)
        return;

    closeSessionDialog();

    if (! success && session != nullptr && session->getErrorKey().isNotEmpty())
        MessageBoxes::errorBox (session->getErrorKey());
}

void GuiController::showAboutBox()
{
    if (auto* app = juce::JUCEApplicationBase::getInstance())
        MessageBoxes::confirmationBox (app->getApplicationName(), "Version " + app->getApplicationVersion(), false);
}

bool GuiController::confirmWriting (bool writeMessage, bool showDontConfirmBox)
{
    if (isBusy())
        return false;

    WriteWarningComponent warning (writeMessage, showDontConfirmBox, PreferencesData::getInstancePointer());
    setBusy (true);
    const int result = TempDialogWithNoCloseButton::runModal (CZQVResource::text ("WarnBeforeTransmitting_Title"),
                                                              warning, mainWindow.get());
    setBusy (false);
    return result == 1;
}

// The folder and prefix come from the bank memory window, which has not
// been built yet: without it there is nothing to choose from.
bool GuiController::chooseReceiveFolder (ReceiveBankSelectionState&)
{
    return false;
}

CommandGui::OverwriteAnswer GuiController::askOverwrite (const juce::File& file)
{
    switch (MessageBoxes::overwriteQuestionBox (file))
    {
        case MessageBoxes::overwrite:   return overwrite;
        case MessageBoxes::saveAsOther: return saveAsOther;
        default:                        return cancelOverwrite;
    }
}
