#pragma once

#include "TestSupport.h"
#include "support/ScriptedFileChoosers.h"
#include "support/ScriptedMessageBoxes.h"

#include "app/MessageEngine.h"
#include "app/TransmitNoticeManager.h"
#include "audio/io/ActionRunner.h"
#include "data/DataCenter.h"
#include "data/DataFile.h"
#include "files/FileFormatManager.h"
#include "files/FileManager.h"
#include "history/ActionContext.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace FileManagerTestSupport
{
    // Keeps the ids of the broadcasts it receives.
    struct BroadcastLog : juce::MessageListener
    {
        BroadcastLog() { MessageEngine::getInstancePointer()->addListener (this); }
        ~BroadcastLog() override { MessageEngine::getInstancePointer()->removeListener (this); }

        void handleMessage (const juce::Message& message) override
        {
            if (auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message))
                ids.push_back (broadcast->id);
        }

        bool contains (int id) const { return std::find (ids.begin(), ids.end(), id) != ids.end(); }

        std::vector<int> ids;
    };

    // Takes a reference for its lifetime.
    template <class Singleton>
    struct ScopedSingleton
    {
        ScopedSingleton() { Singleton::getInstance(); }
        ~ScopedSingleton() { Singleton::releaseInstance(); }
    };

    // A file manager over a data center of its own, with scripted choosers
    // and message boxes, a history, transmit notices and a context for the
    // undoable actions; the user's folders are the test's.
    struct FileManagerFixture : ::testing::Test
    {
        FileManagerFixture()
        {
            context.dataCenter = &center;
            context.transmitNotices = &notices;
            context.refreshPlayer = [this] (int) { ++playerRefreshes; };
            context.clearWaveSelection = [this] { ++selectionClears; };

            FileManager::Services services;
            services.dataCenter = &center;
            services.undoManager = &history;
            services.choosers = &choosers;
            services.importRunner = &runner;
            services.transmitNotices = &notices;
            services.guiExists = [] { return true; };
            services.refreshPlayer = [this] { ++playerRefreshes; };
            services.clearWaveSelection = [this] { ++selectionClears; };
            services.currentPattern = [this] { return currentPattern; };
            manager = std::make_unique<FileManager> (services);
        }

        BankData& bank() const { return center.getEditBank(); }
        juce::File file (const juce::String& name) const { return folders.temp.folder.getChildFile (name); }

        // The keys of the error boxes shown so far.
        juce::StringArray errorKeys() const
        {
            juce::StringArray keys;
            for (const auto& shown : boxes.getShown())
                if (shown.kind == ScriptedMessageBoxes::Kind::error)
                    keys.add (shown.key);
            return keys;
        }

        // The same, joined with ", " for readable comparisons.
        std::string errors() const { return errorKeys().joinIntoString (", ").toStdString(); }

        // Lets posted messages arrive until one with the id has.
        bool delivered (int id) { return TestSupport::dispatchUntil ([this, id] { return broadcasts.contains (id); }); }

        static void writeFile (Data& root, const juce::File& target) { ASSERT_TRUE (DataFile::write (root, target)); }

        // The file cut to the given share of its length.
        static void truncate (const juce::File& target, double share)
        {
            juce::MemoryBlock bytes;
            target.loadFileAsData (bytes);
            bytes.setSize ((size_t) ((double) bytes.getSize() * share));
            target.replaceWithData (bytes.getData(), bytes.getSize());
        }

        // Every sample so large that the bank's sample memory is over budget.
        void fillOverBudget()
        {
            for (int i = 0; i < SampleSet::numSamples; ++i)
                bank().getSample (i).resize (2, 13 * 32768 / 4 + 1, 48000.0, false);
            ASSERT_LT (bank().getFreeSampleMemory(), 0);
        }

        TestSupport::ScopedUserFolders folders;
        TestSupport::ScopedBufferIds ids;
        ScopedSingleton<CZQVResource> resources;
        ScopedSingleton<PreferencesData> preferences;
        ScopedSingleton<MessageEngine> engine;
        ScopedSingleton<FileFormatManager> formats;
        BroadcastLog broadcasts;
        StringTable strings { "ParameterStrings" };
        DataCenter center { strings };
        TransmitNoticeManager notices;
        juce::UndoManager history { 10000000, 1 };
        ActionContext context;
        ScopedActionContext installedContext { context };
        ScriptedFileChoosers choosers;
        ScriptedMessageBoxes boxes;
        ScopedMessageBoxes installedBoxes { boxes };
        BlockingActionRunner runner;
        int playerRefreshes = 0;
        int selectionClears = 0;
        int currentPattern = 0;
        std::unique_ptr<FileManager> manager;
    };
}
