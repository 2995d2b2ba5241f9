#include "device/PatternSetTransfer.h"

#include "app/Exception.h"
#include "data/BankData.h"
#include "device/SequenceTransfers.h"

PatternSetTransfer::PatternSetTransfer (const TransferStatus::Keys& keys)
    : statusKeys (keys)
{
}

bool PatternSetTransfer::execute()
{
    try
    {
        checkBeforeStart();
        setProgress (0.0);

        for (int k = 0; k < numPatterns && ! isStopping(); ++k)
        {
            patternIndex = k;
            setStatus (TransferStatus::line (statusKeys, TransferStatus::patternLabel (k)));
            transferPattern (k, (double) k / numPatterns, 1.0 / numPatterns);
            patternIndex = k + 1;
        }

        // A stopped transfer counts as a success.
        if (! isStopping())
            complete();

        return true;
    }
    catch (const Exception& e)
    {
        setErrorKey (e.getMessageKey());
        return false;
    }
}

//==============================================================================
SequenceSetReceive::SequenceSetReceive()
    : PatternSetTransfer ({ "Communication_Status_SequenceSetReceive_Pre", "Communication_Status_SequenceSetReceive_Post" }),
      received (std::make_unique<SequenceSet>())
{
}

SequenceSetReceive::~SequenceSetReceive() = default;

void SequenceSetReceive::transferPattern (int index, double progressStart, double progressSpan)
{
    SequenceReceive item (*received->getPattern (index), index);
    runInner (item, progressStart, progressSpan);
}

//==============================================================================
SequenceSetWrite::SequenceSetWrite (const SequenceSet& patternsToWrite)
    : PatternSetTransfer ({ "Communication_Status_SequenceSetWrite_Pre", "Communication_Status_SequenceSetWrite_Post" }),
      patterns (patternsToWrite)
{
}

void SequenceSetWrite::checkBeforeStart()
{
    if (patterns.getMemoryUsed() > BankMemory::patternMemorySize)
        throw Exception ("Error_UsbFailedIllegalSeqDataSize");
}

void SequenceSetWrite::transferPattern (int index, double progressStart, double progressSpan)
{
    SequenceWrite item (*patterns.getPattern (index), index);
    runInner (item, progressStart, progressSpan);
}
