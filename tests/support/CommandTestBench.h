#pragma once

#include "TestSupport.h"
#include "support/ScriptedFileChoosers.h"
#include "support/ScriptedMessageBoxes.h"

#include "app/MessageEngine.h"
#include "app/SingletonReference.h"
#include "app/TransmitNoticeManager.h"
#include "audio/playback/AudioPlayerManager.h"
#include "commands/ActionManager.h"
#include "commands/CommandContext.h"
#include "audio/io/ActionRunner.h"
#include "data/CZQVClipboard.h"
#include "data/DataCenter.h"
#include "device/BankSelectionState.h"
#include "device/DeviceConnection.h"
#include "files/FileFormatManager.h"
#include "files/FileManager.h"
#include "history/ActionContext.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <deque>

namespace CommandTestSupport
{
    // The windows as the commands see them: state that tests set, and a
    // record of what the commands asked for.
    struct TestCommandGui : CommandGui
    {
        bool busy = false;
        bool modal = false;
        int page = 1;
        bool waveformEditorShown = true;

        struct SessionDialog { juce::String title; int origin; };
        std::vector<SessionDialog> sessionDialogs;
        bool sessionDialogOpen = false;

        struct WriteWarning { bool writeMessage; bool showDontConfirmBox; };
        std::vector<WriteWarning> writeWarnings;
        std::deque<bool> writeWarningAnswers;

        // The multiple-file selector's answer and what it stores on OK.
        bool receiveFolderAnswer = false;
        juce::File receiveFolder;
        juce::String receivePrefix;
        int receiveFolderAsked = 0;

        std::deque<OverwriteAnswer> overwriteAnswers;
        juce::StringArray overwriteQuestions;

        int preferencesShown = 0;
        int bankMemoryShown = 0;
        int aboutShown = 0;

        bool isBusy() const override { return busy; }
        bool isMainComponentModal() const override { return modal; }
        int getCurrentPage() const override { return page; }
        bool isWaveformEditorShown() const override { return waveformEditorShown; }

        bool openSessionDialog (const juce::String& title, int origin) override
        {
            if (busy || sessionDialogOpen)
                return false;
            sessionDialogs.push_back ({ title, origin });
            sessionDialogOpen = busy = true;
            return true;
        }

        void closeSessionDialog() override { sessionDialogOpen = busy = false; }
        void showPreferencesWindow() override { ++preferencesShown; }
        void showBankMemoryWindow() override { ++bankMemoryShown; }
        void showAboutBox() override { ++aboutShown; }

        bool confirmWriting (bool writeMessage, bool showDontConfirmBox) override
        {
            writeWarnings.push_back ({ writeMessage, showDontConfirmBox });
            if (writeWarningAnswers.empty())
                return false;
            const bool answer = writeWarningAnswers.front();
            writeWarningAnswers.pop_front();
            return answer;
        }

        bool chooseReceiveFolder (ReceiveBankSelectionState& selection) override
        {
            ++receiveFolderAsked;
            if (receiveFolderAnswer)
            {
                selection.targetFolder = receiveFolder;
                selection.fileNamePrefix = receivePrefix;
            }
            return receiveFolderAnswer;
        }

        OverwriteAnswer askOverwrite (const juce::File& file) override
        {
            overwriteQuestions.add (file.getFileName());
            if (overwriteAnswers.empty())
                return cancelOverwrite;
            const auto answer = overwriteAnswers.front();
            overwriteAnswers.pop_front();
            return answer;
        }
    };

    // The busy flag of the test GUI, for the message boxes.
    struct GuiBusyFlag : BusyFlag
    {
        explicit GuiBusyFlag (TestCommandGui& g) : gui (g) {}
        bool isFree() const override { return ! gui.busy; }
        void setBusy (bool busy) override { gui.busy = busy; }
        TestCommandGui& gui;
    };

    // Everything the commands work on, as the Host holds it, with an
    // emulated device behind the session manager and scripted message boxes.
    struct CommandBench : CommandContext
    {
        CommandBench();
        ~CommandBench() override;

        DataCenter* getDataCenter() const override { return dataCenter.get(); }
        juce::UndoManager* getUndoManager() const override { return &history; }
        AudioPlayerManager* getPlayerManager() const override { return players.get(); }
        UsbSessionManager* getSessionManager() const override { return &device.getManager(); }
        FileManager* getFileManager() const override { return files.get(); }
        ReceiveBankSelectionState* getReceiveSelection() const override { return &receiveSelection; }
        WriteBankSelectionState* getWriteSelection() const override { return &writeSelection; }
        CommandGui* getCommandGui() const override { return guiPresent ? &gui : nullptr; }
        int getCurrentPattern() const override { return currentPattern; }
        void setCurrentPattern (int index) override { currentPattern = index; }
        const WaveSelectedStatus& getWaveSelection() const override { return selection; }
        void setWaveSelection (const WaveSelectedStatus& newSelection) override { selection = newSelection; }
        void clearWaveSelectionFlags() override { selection.channelFlags[0] = selection.channelFlags[1] = 0; }
        WaveGraphViewInfo& getWaveView() override { return view; }
        void setCurrentSample (int index) override;
        void setCurrentPage (int page) override { gui.page = page; }
        void quitApplication() override { ++quitRequests; }

        // Invokes a command as a key or menu item does: only when enabled.
        bool invoke (int commandId);
        CommandDescription describe (int commandId) const;
        juce::String nameOf (int commandId) const { return describe (commandId).name; }
        bool isEnabled (int commandId) const { return describe (commandId).enabled; }

        SampleData& sample (int index) const { return dataCenter->getEditBank().getSample (index); }
        int currentSampleIndex() const { return dataCenter->getEditBank().getSampleSet().getCurrentSampleIndex(); }

        TestSupport::ScopedUserFolders folders;
        TestSupport::ScopedBufferIds bufferIds;
        SingletonReference<CZQVResource> resources;
        SingletonReference<MessageEngine> engine;
        SingletonReference<PreferencesData> preferences;
        SingletonReference<CZQVClipboard> clipboard;
        SingletonReference<FileFormatManager> fileFormats;
        StringTable parameterStrings { "ParameterStrings" };
        std::unique_ptr<DataCenter> dataCenter;
        std::unique_ptr<AudioPlayerManager> players;
        std::shared_ptr<VirtualPlovara> plovara = std::make_shared<VirtualPlovara>();
        mutable DeviceConnection device { { UsbSessionManager::virtualPort, {}, plovara } };
        mutable juce::UndoManager history { 10000000, 1 };
        mutable TestCommandGui gui;
        bool guiPresent = true;
        ScriptedMessageBoxes boxes { std::make_unique<GuiBusyFlag> (gui) };
        ScopedMessageBoxes scopedBoxes { boxes };
        ScriptedFileChoosers choosers { std::make_unique<GuiBusyFlag> (gui) };
        BlockingActionRunner importRunner;
        std::unique_ptr<FileManager> files;
        mutable ReceiveBankSelectionState receiveSelection;
        mutable WriteBankSelectionState writeSelection;
        int currentPattern = 0;
        WaveSelectedStatus selection;
        WaveGraphViewInfo view;
        int quitRequests = 0;
        TransmitNoticeManager notices;
        ActionContext actionContext;
        std::unique_ptr<ScopedActionContext> scopedActionContext;

        std::unique_ptr<ActionManager> actions;
    };

    // Records the ids and arguments of the broadcasts it hears.
    struct BroadcastRecorder : juce::MessageListener
    {
        BroadcastRecorder() { MessageEngine::getInstancePointer()->addListener (this); }
        ~BroadcastRecorder() override { MessageEngine::getInstancePointer()->removeListener (this); }

        void handleMessage (const juce::Message& message) override
        {
            if (auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message))
                heard.push_back ({ broadcast->id, broadcast->intArgument });
        }

        bool hasHeard (int id, int argument = 0) const
        {
            for (auto& h : heard)
                if (h.first == id && h.second == argument)
                    return true;
            return false;
        }

        // Lets the message loop deliver until the broadcast arrives.
        bool waitFor (int id, int argument = 0)
        {
            return TestSupport::dispatchUntil ([&] { return hasHeard (id, argument); });
        }

        std::vector<std::pair<int, int>> heard;
    };

    // Waits for the sessions the manager runs, as the session window does.
    struct SessionWatcher : UsbSessionListener
    {
        explicit SessionWatcher (UsbSessionManager& m) : manager (m) { manager.addListener (this); }
        ~SessionWatcher() override { manager.removeListener (this); }

        void sessionStarted (UsbSession*) override {}
        void sessionProgress (UsbSession*, double) override {}
        void sessionStatus (UsbSession*, const juce::String&) override {}
        void sessionFinished (UsbSession* session, bool success) override
        {
            ++finished;
            lastResult = success;
            lastErrorKey = session != nullptr ? session->getErrorKey() : juce::String();
        }

        // True when one more session finished within the time.
        bool waitForNext()
        {
            const int before = finished;
            return TestSupport::dispatchUntil ([&] { return finished > before; }, 20000);
        }

        UsbSessionManager& manager;
        int finished = 0;
        bool lastResult = false;
        juce::String lastErrorKey;
    };

    // A sample of the given number of frames, mono, at 48 kHz.
    void fillSample (SampleData& sample, int frames);
}
