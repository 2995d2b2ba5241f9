#include "gui/main/GuiController.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "gui/dialogs/UsbSessionDialog.h"
#include "gui/dialogs/WriteWarningComponent.h"
#include "gui/main/MainWindow.h"
#include "gui/widgets/TempDialogWithNoCloseButton.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"
#include "resources/MessageBoxes.h"

#include <juce_gui_basics/juce_gui_basics.h>

GuiController::GuiController (UsbSessionManager* sessionManager)
    : sessions (sessionManager)
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->addListener (this);
}

GuiController::~GuiController()
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->removeListener (this);

    sessionDialog.reset();
    mainWindow.reset();
}

bool GuiController::createMainWindow (const MainWindow::Services& services)
{
    if (mainWindow == nullptr)
    {
        mainWindow = std::make_unique<MainWindow> (services);
        mainWindow->getMainComponent().setPage (currentPage);
    }

    return mainWindow != nullptr;
}

void GuiController::setCurrentPage (int page)
{
    currentPage = page;

    if (mainWindow != nullptr)
        mainWindow->getMainComponent().setPage (page);
}

bool GuiController::isMainComponentModal() const
{
    if (mainWindow == nullptr)
        return false;

    auto& content = mainWindow->getMainComponent();
    return content.isAboutBoxShown() || content.isCurrentlyBlockedByAnotherModalComponent();
}

void GuiController::handleMessage (const juce::Message& message)
{
    auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message);
    if (broadcast == nullptr)
        return;

    if (broadcast->id == MessageIds::sessionDialogFinished)
        sessionDialogFinished();

    if (mainWindow != nullptr)
        mainWindow->handleBroadcast (broadcast->id);
}

bool GuiController::isWaveformEditorShown() const
{
    auto* preferences = PreferencesData::getInstancePointer();
    return currentPage == samplePage
        && preferences != nullptr
        && preferences->getFlag (PreferencesData::showWaveformEditor);
}

bool GuiController::openSessionDialog (const juce::String& title, int origin)
{
    if (isBusy() || sessionDialog != nullptr || sessions == nullptr)
        return false;

    sessionOrigin = origin;
    setBusy (true);
    sessionDialog = std::make_unique<UsbSessionDialog> (title, *sessions, mainWindow.get());
    return true;
}

void GuiController::closeSessionDialog()
{
    if (sessionDialog == nullptr)
        return;

    sessionDialog.reset();
    setBusy (false);
}

// The preferences and bank memory windows come with their pages; until
// then every session returns to the main window.
void GuiController::sessionDialogFinished()
{
    if (sessionDialog == nullptr)
        return;

    closeSessionDialog();

    if (mainWindow != nullptr)
        mainWindow->toFront (true);
}

void GuiController::showAboutBox()
{
    if (mainWindow != nullptr)
        mainWindow->getMainComponent().showAboutBox();
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
