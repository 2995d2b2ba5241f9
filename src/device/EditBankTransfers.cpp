#include "device/EditBankTransfers.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "app/TransmitNoticeManager.h"
#include "data/DataCenter.h"
#include "device/ItemSession.h"
#include "history/ActionContext.h"
#include "history/SetNewActions.h"
#include "history/TransactionNames.h"

namespace EditBankTransfers
{
namespace
{
TransmitNoticeManager* transmitNotices()
{
    auto* context = ActionContext::getCurrent();
    return context != nullptr ? context->transmitNotices : nullptr;
}

void clearAllNotices()
{
    if (auto* notices = transmitNotices())
        notices->clearAll();
}

void clearPatternSetNotice()
{
    if (auto* notices = transmitNotices())
        notices->setPatternSetNotice (false);
}

// On the message thread.
void replaceEditBank (BankData& received)
{
    auto* context = ActionContext::getCurrent();

    if (context == nullptr || context->dataCenter == nullptr)
        return;

    context->dataCenter->getEditBank().copyFrom (received);
    context->dataCenter->setModified();
    clearAllNotices();

    if (auto* undoManager = ItemSession::getUndoManager())
        undoManager->clearUndoHistory();

    if (context->refreshPlayer)
        for (int i = 0; i < SampleSet::numSamples; ++i)
            context->refreshPlayer (i);

    MessageEngine::broadcast (MessageIds::dataChanged);
}

// On the message thread.
void replacePatterns (const SequenceSet& received)
{
    auto* undoManager = ItemSession::getUndoManager();

    if (undoManager == nullptr)
        return;

    undoManager->beginNewTransaction (TransactionNames::receiveSequence);

    for (int k = 0; k < SequenceSet::numPatterns; ++k)
        undoManager->perform (new SetNewSequenceAction (k, *received.getPattern (k)));

    clearPatternSetNotice();
}
}

std::unique_ptr<BankReceive> receiveCurrentBank()
{
    auto session = std::make_unique<BankReceive> (BankTransferSession::currentBank);
    session->setCompletionHook ([s = session.get()] { replaceEditBank (s->getReceivedBank()); });
    return session;
}

std::unique_ptr<BankWrite> transmitCurrentBank (const BankData& editBank)
{
    auto session = std::make_unique<BankWrite> (editBank, BankTransferSession::currentBank);
    session->setCompletionHook (clearAllNotices);
    return session;
}

std::unique_ptr<SequenceSetReceive> receivePatternSet()
{
    auto session = std::make_unique<SequenceSetReceive>();
    session->setCompletionHook ([s = session.get()] { replacePatterns (s->getReceivedSet()); });
    return session;
}

std::unique_ptr<SequenceSetWrite> transmitPatternSet (const SequenceSet& patterns)
{
    auto session = std::make_unique<SequenceSetWrite> (patterns);
    session->setCompletionHook (clearPatternSetNotice);
    return session;
}
}
