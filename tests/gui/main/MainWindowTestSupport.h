#pragma once

#include "gui/dialogs/DialogTestSupport.h"
#include "support/CommandTestBench.h"

#include "gui/main/ActionCommandTarget.h"
#include "gui/main/MainWindow.h"

// The commands' bench with the command manager of menus and keys, for the
// main window and what it holds.
struct MainWindowBench
{
    MainWindowBench() { commandManager.registerAllCommandsForTarget (&actionTarget); }

    MainWindow::Services services() { return { bench, commandManager, actionTarget, nullptr }; }

    PreferencesData& preferences() { return *bench.preferences.get(); }

    const DialogTestSupport::EnglishResource english;
    CommandTestSupport::CommandBench bench;
    ActionCommandTarget actionTarget { *bench.actions };
    juce::ApplicationCommandManager commandManager;
};
