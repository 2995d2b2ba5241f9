#include "commands/ActionManager.h"

#include "app/Exception.h"
#include "commands/CommandIds.h"
#include "data/DataCenter.h"
#include "device/EditBankTransfers.h"
#include "device/EffectTransfers.h"
#include "device/GlobalTransfers.h"
#include "device/MultiBankReceive.h"
#include "device/MultiBankWrite.h"
#include "device/SampleTransfers.h"
#include "device/UsbSessionManager.h"
#include "prefs/PreferencesData.h"
#include "resources/MessageBoxes.h"

// The session window opens before the session starts, so that it hears the
// session from its first report, a refused start included. When opening the
// port fails the window goes and the reason is shown.
bool ActionManager::runSession (std::unique_ptr<UsbSession> session, int commandId, bool stopsPlayback, int origin)
{
    auto* sessions = context.getSessionManager();
    auto* gui = context.getCommandGui();

    if (sessions == nullptr || gui == nullptr)
        return false;

    if (stopsPlayback)
        stopPlayback();

    if (! gui->openSessionDialog (getTableName (commandId), origin))
        return false;

    try
    {
        return sessions->startSession (std::move (session));
    }
    catch (const Exception& e)
    {
        gui->closeSessionDialog();
        MessageBoxes::errorBox (e.getMessageKey());
    }
    return false;
}

void ActionManager::performEditTarget (int commandId)
{
    const auto target = editTargetCommand (commandId, getCurrentPage());

    if (target != commandId)
        if (auto* record = findRecord (target); record->perform != nullptr)
            (this->*(record->perform)) (target);
}

void ActionManager::transmitSample (int commandId)
{
    auto* sample = getCurrentSample();
    if (sample == nullptr)
        return;

    const bool withAudio = commandId == CommandIds::transmitSample;
    runSession (std::make_unique<SampleWrite> (*sample, getCurrentSampleIndex(),
                                               withAudio ? SampleWrite::everything : SampleWrite::parametersOnly),
                commandId, withAudio, CommandGui::fromMainWindow);
}

void ActionManager::receiveGlobal (int commandId)
{
    if (auto* dataCenter = context.getDataCenter())
        runSession (std::make_unique<GlobalReceive> (dataCenter->getGlobalData()),
                    commandId, false, CommandGui::fromPreferencesWindow);
}

void ActionManager::writeGlobal (int commandId)
{
    auto* dataCenter = context.getDataCenter();
    auto* gui = context.getCommandGui();

    if (dataCenter != nullptr && gui != nullptr && gui->confirmWriting (true, false))
        runSession (std::make_unique<GlobalWrite> (dataCenter->getGlobalData()),
                    commandId, false, CommandGui::fromPreferencesWindow);
}

void ActionManager::receiveAllBanks (int commandId)
{
    if (auto* dataCenter = context.getDataCenter(); dataCenter != nullptr && dataCenter->getAllData() != nullptr)
        runSession (std::make_unique<AllBankReceive> (*dataCenter->getAllData()),
                    commandId, true, CommandGui::fromBankMemoryWindow);
}

void ActionManager::writeAllBanks (int commandId)
{
    auto* dataCenter = context.getDataCenter();
    auto* gui = context.getCommandGui();

    if (dataCenter != nullptr && dataCenter->getAllData() != nullptr && gui != nullptr && gui->confirmWriting (true, false))
        runSession (std::make_unique<AllBankWrite> (*dataCenter->getAllData()),
                    commandId, true, CommandGui::fromBankMemoryWindow);
}

void ActionManager::receiveCurrentBank (int commandId)
{
    if (context.getDataCenter() != nullptr)
        runSession (EditBankTransfers::receiveCurrentBank(), commandId, true, CommandGui::fromMainWindow);
}

// The update warning, while the user wants it.
void ActionManager::transmitCurrentBank (int commandId)
{
    auto* dataCenter = context.getDataCenter();
    auto* gui = context.getCommandGui();
    auto* prefs = PreferencesData::getInstancePointer();

    if (dataCenter == nullptr || gui == nullptr)
        return;

    if (prefs != nullptr && prefs->getFlag (PreferencesData::warningBeforeWriting) && ! gui->confirmWriting (false, true))
        return;

    runSession (EditBankTransfers::transmitCurrentBank (dataCenter->getEditBank()), commandId, true, CommandGui::fromMainWindow);
}

void ActionManager::receiveSample (int commandId)
{
    auto* dataCenter = context.getDataCenter();
    if (dataCenter == nullptr)
        return;

    if (dataCenter->getEditBank().getFreeSampleMemory() < 0)
    {
        MessageBoxes::errorBox ("Error_NoFreeMemoryToReceiveSample");
        return;
    }

    runSession (std::make_unique<SampleReceive> (getCurrentSampleIndex()), commandId, true, CommandGui::fromMainWindow);
}

void ActionManager::receivePatternSet (int commandId)
{
    if (context.getDataCenter() != nullptr)
        runSession (EditBankTransfers::receivePatternSet(), commandId, false, CommandGui::fromMainWindow);
}

void ActionManager::transmitPatternSet (int commandId)
{
    if (auto* dataCenter = context.getDataCenter())
        runSession (EditBankTransfers::transmitPatternSet (dataCenter->getEditBank().getSequenceSet()),
                    commandId, false, CommandGui::fromMainWindow);
}

void ActionManager::receiveEffect (int commandId)
{
    if (context.getDataCenter() != nullptr)
        runSession (std::make_unique<EffectReceive>(), commandId, false, CommandGui::fromMainWindow);
}

void ActionManager::transmitEffect (int commandId)
{
    if (auto* dataCenter = context.getDataCenter())
        runSession (std::make_unique<EffectWrite> (dataCenter->getEditBank().getEffect()),
                    commandId, false, CommandGui::fromMainWindow);
}
