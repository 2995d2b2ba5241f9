#include "gui/main/MenuBarManager.h"

#include "commands/CommandIds.h"
#include "resources/CZQVResource.h"

namespace
{
constexpr int separator = 0;
}

MenuBarManager::MenuBarManager (juce::ApplicationCommandManager& commandManager, CommandContext& commandContext)
    : commands (commandManager), context (commandContext)
{
    setApplicationCommandManagerToWatch (&commands);
}

MenuBarManager::~MenuBarManager()
{
    setApplicationCommandManagerToWatch (nullptr);
}

juce::StringArray MenuBarManager::getMenuBarNames()
{
    return { CZQVResource::text ("Menu_File"), CZQVResource::text ("Menu_Edit"),
             CZQVResource::text ("Menu_Communication"), CZQVResource::text ("Menu_Help") };
}

juce::PopupMenu MenuBarManager::getMenuForIndex (int menuIndex, const juce::String&)
{
    using namespace CommandIds;
    const int page = getCurrentPage();
    std::vector<int> items;

    const auto add = [&items] (std::initializer_list<int> more) { items.insert (items.end(), more); };

    switch (menuIndex)
    {
        case fileMenu:
            add ({ newBank, openBank, saveBank, saveBankAs, separator });
            if (page == CommandGui::samplePage)
                add ({ openSample, saveSample, exportSampleWav, exportSampleAiff });
            if (page == CommandGui::patternPage)
                add ({ openPatternSet, savePatternSet, importSmf, exportSmf });
            add ({ separator, refreshFileBrowser, separator, showBankMemory, separator, quit });
            break;

        case editMenu:
            add ({ undo, redo, separator, cut, copy, paste, clear, separator });
            if (page == CommandGui::samplePage)
                add ({ selectAll, pointsToSelection, separator, selectionToPoints, separator });
            add ({ preferences });
            break;

        case communicationMenu:
            add ({ receiveCurrentBank, transmitCurrentBank, separator, receiveEditTarget, transmitEditTarget });
            break;

        case helpMenu:
            add ({ about });
            break;

        default:
            break;
    }

    return buildMenu (items);
}

juce::PopupMenu MenuBarManager::buildMenu (const std::vector<int>& items)
{
    juce::PopupMenu menu;

    // The menu drops a separator that would follow another one.
    for (int item : items)
    {
        if (item == separator)
            menu.addSeparator();
        else
            menu.addCommandItem (&commands, item);
    }

    return menu;
}

int MenuBarManager::getCurrentPage() const
{
    auto* gui = context.getCommandGui();
    return gui != nullptr ? gui->getCurrentPage() : CommandGui::noPage;
}
