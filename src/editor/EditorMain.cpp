#include "app/CommandLine.h"
#include "gui/main/GuiController.h"
#include "gui/main/MainWindow.h"
#include "gui/main/Host.h"
#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "data/DataCenter.h"
#include "gui/dialogs/AlertWindowMessageBoxes.h"
#include "gui/main/WindowManagerAtoms.h"
#include "resources/CZQVResource.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <csignal>

class Application : public juce::JUCEApplication,
                    private juce::Timer
{
public:
    const juce::String getApplicationName() override { return "Plovara Editor/Librarian"; }
    const juce::String getApplicationVersion() override { return "1.0.0"; }

    // The program runs as one instance, but the framework's hand-over does
    // not reach the running instance on every platform, so the program
    // hands over the command line itself (see SingleInstance).
    bool moreThanOneInstanceAllowed() override { return true; }

    void initialise (const juce::String& commandLine) override
    {
        if (singleInstance.handOverToRunningInstance (commandLine))
        {
            quit();
            return;
        }

        singleInstance.startListening ([this] (const juce::String& otherCommandLine, const juce::File& otherFolder)
        {
            juce::MessageManager::callAsync ([this, otherCommandLine, otherFolder]
            {
                otherInstanceFolder = otherFolder;
                anotherInstanceStarted (otherCommandLine);
            });
        });

        auto* host = Host::getInstance();

        if (host == nullptr || ! host->isReady())
        {
            showStartupFailure();
            quit();
            return;
        }

        fileToOpen = CommandLine::fileToOpen (commandLine);

        if (! host->createMainWindow())
        {
            quit();
            return;
        }

        // Keys are the command manager's.
        host->getGuiController()->getMainWindow()->addKeyListener (host->getCommandManager()->getKeyMappings());

        host->setCurrentPage (CommandGui::samplePage);
        host->setCurrentFile (fileToOpen.isEmpty() ? juce::File() : juce::File::getCurrentWorkingDirectory().getChildFile (fileToOpen));
        if (fileToOpen.isNotEmpty())
            host->openCurrentFile();
        MessageEngine::broadcast (MessageIds::dataChanged);
        host->showStartupMessages();

        TerminationSignals::install();
        // A file size limit makes a save fail with its message, the old file kept.
        std::signal (SIGXFSZ, SIG_IGN);
        startTimer (250);
    }

    void shutdown() override
    {
        stopTimer();
        singleInstance.stopListening();
        Host::releaseInstance();
    }

    void anotherInstanceStarted (const juce::String& commandLine) override
    {
        fileToOpen = CommandLine::fileToOpen (commandLine);

        auto* host = Host::getInstancePointer();
        if (fileToOpen.isEmpty() || host == nullptr)
            return;

        host->setCurrentFile (otherInstanceFolder.getChildFile (fileToOpen));
        MessageEngine::broadcast (MessageIds::openCurrentFile);
    }

    // The system, the window's close button and termination signals all
    // quit as the Exit command does, after the unsaved-changes question;
    // while a dialog is up the close button and the system's request do
    // nothing.
    void systemRequestedQuit() override
    {
        auto* host = Host::getInstancePointer();
        auto* gui = host != nullptr ? host->getGuiController() : nullptr;

        if (gui != nullptr && gui->getMainWindow() != nullptr)
            gui->getMainWindow()->requestQuit();
    }

private:
    // There is no window yet, so the box is shown whatever the busy flag says.
    static void showStartupFailure()
    {
        SingletonReference<CZQVResource> strings;
        AlertWindowMessageBoxes (nullptr).showError ("Error_FailedToStartApplication");
    }

    // A termination signal quits at once when nothing is unsaved, even
    // under a dialog (its loop ends with the program). With unsaved changes
    // it asks the question as the close button does; one that arrives while
    // a dialog is up waits until the dialog is answered, so the signal is
    // neither lost nor answered for the user.
    void timerCallback() override
    {
        signalPending = TerminationSignals::takeRequest() || signalPending;
        if (! signalPending)
            return;

        auto* host = Host::getInstancePointer();
        auto* gui = host != nullptr ? host->getGuiController() : nullptr;
        auto* data = host != nullptr ? host->getDataCenter() : nullptr;

        if (data == nullptr || ! data->isModified())
        {
            signalPending = false;
            quit();
        }
        else if (gui != nullptr && ! gui->isBusy())
        {
            signalPending = false;
            systemRequestedQuit();
        }
    }

    SingleInstance singleInstance { SingleInstance::defaultSocketPath ("PlovaraEditor") };
    juce::String fileToOpen;
    bool signalPending = false;
    juce::File otherInstanceFolder { juce::File::getCurrentWorkingDirectory() };
};

static juce::JUCEApplicationBase* createApplication()
{
    return new Application();
}

int main (int argc, char* argv[])
{
    WindowManagerAtoms::ensureExist();
    juce::JUCEApplicationBase::createInstance = &createApplication;
    return juce::JUCEApplicationBase::main (argc, const_cast<const char**> (argv));
}
