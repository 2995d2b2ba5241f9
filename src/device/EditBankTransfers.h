#pragma once

#include "device/BankReceive.h"
#include "device/BankWrite.h"
#include "device/PatternSetTransfer.h"

#include <memory>

// The transfers of the edited bank that the editor's commands start. What
// they receive reaches the edited bank on the message thread, through the
// installed action context and the item sessions' undo manager, and only
// once all of it arrived.
namespace EditBankTransfers
{
    // The device's current bank replaces the edited bank; the data counts
    // as modified, every transmit notice goes off and the undo history is
    // cleared.
    std::unique_ptr<BankReceive> receiveCurrentBank();

    // The edited bank goes to the device's current bank; every transmit
    // notice goes off once it went through.
    std::unique_ptr<BankWrite> transmitCurrentBank (const BankData& editBank);

    // The 16 patterns replace those of the edited bank in one undo
    // transaction; the pattern-set transmit notice goes off.
    std::unique_ptr<SequenceSetReceive> receivePatternSet();

    // The edited bank's patterns go to the device; the pattern-set transmit
    // notice goes off once they went through.
    std::unique_ptr<SequenceSetWrite> transmitPatternSet (const SequenceSet& patterns);
}
