#include "gui/main/GuiController.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "files/FileManager.h"
#include "gui/bankmemory/BankMemoryWindow.h"
#include "gui/bankmemory/MultipleFileSelectorComponent.h"
#include "gui/dialogs/UsbSessionDialog.h"
#include "gui/dialogs/WriteWarningComponent.h"
#include "gui/main/MainWindow.h"
#include "gui/preferences/PreferencesWindow.h"
#include "gui/widgets/TempDialogWithNoCloseButton.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"
#include "resources/MessageBoxes.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The controller's own flag, for the dialogs that hold it while they are up.
class GuiController::ControllerBusyFlag : public BusyFlag
{
public:
    explicit ControllerBusyFlag (GuiController& c) : controller (c) {}

    bool isFree() const override { return ! controller.isBusy(); }
    void setBusy (bool isBusy) override { controller.setBusy (isBusy); }

private:
    GuiController& controller;
};

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
    preferencesWindow.reset();
    bankMemoryWindow.reset();
    mainWindow.reset();
}

bool GuiController::createMainWindow (const MainWindow::Services& services)
{
    if (mainWindow == nullptr)
    {
        windowServices = std::make_unique<MainWindow::Services> (services);
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

    if (broadcast->id == MessageIds::bankMemoryWindowClosing)
        bankMemoryWindow.reset();

    if (broadcast->id == MessageIds::preferencesWindowClosing)
        preferencesWindow.reset();

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

// The window the session was started from comes back to the front.
void GuiController::sessionDialogFinished()
{
    if (sessionDialog == nullptr)
        return;

    closeSessionDialog();

    if (auto* origin = sessionOriginWindow())
        origin->toFront (true);
}

juce::Component* GuiController::sessionOriginWindow() const
{
    if (sessionOrigin == fromBankMemoryWindow && bankMemoryWindow != nullptr)
        return bankMemoryWindow.get();

    if (sessionOrigin == fromPreferencesWindow && preferencesWindow != nullptr)
        return preferencesWindow.get();

    return mainWindow.get();
}

namespace
{
// Brings an open window to the front, or makes it with the main window's
// services once those exist.
template <typename Window>
void showToolWindow (std::unique_ptr<Window>& window, const MainWindow::Services* services)
{
    if (window != nullptr)
        window->toFront (true);
    else if (services != nullptr)
        window = std::make_unique<Window> (services->context, services->commandManager, services->actionTarget);
}
}

void GuiController::showBankMemoryWindow()
{
    showToolWindow (bankMemoryWindow, windowServices.get());
}

void GuiController::showPreferencesWindow()
{
    showToolWindow (preferencesWindow, windowServices.get());
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

bool GuiController::chooseReceiveFolder (ReceiveBankSelectionState& selection)
{
    if (isBusy())
        return false;

    auto* files = windowServices != nullptr ? windowServices->context.getFileManager() : nullptr;
    ControllerBusyFlag flag (*this);
    MultipleFileSelectorComponent selector (selection, files, &flag);
    setBusy (true);
    const int result = TempDialogWithNoCloseButton::runModal (CZQVResource::text ("Command_Name_BankMemoryReceiveBank"),
                                                              selector, mainWindow.get());
    setBusy (false);
    return result == 1;
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
