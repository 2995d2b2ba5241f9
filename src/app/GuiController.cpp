#include "app/GuiController.h"

#include "app/MessageEngine.h"
#include "gui/main/MainWindow.h"

GuiController::GuiController()
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->addListener (this);
}

GuiController::~GuiController()
{
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
