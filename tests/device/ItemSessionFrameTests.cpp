#include "device/ItemSessionTestSupport.h"

#include "device/EffectTransfers.h"
#include "device/GlobalTransfers.h"
#include "device/SampleTransfers.h"
#include "device/SequenceTransfers.h"

using namespace ItemSessionTestSupport;

namespace
{
// One of every item session, each with targets of its own.
struct EverySession : ItemSessionFixture
{
    std::vector<std::unique_ptr<ItemSession>> makeAll()
    {
        std::vector<std::unique_ptr<ItemSession>> sessions;
        sessions.push_back (std::make_unique<SampleReceive> (1));
        sessions.push_back (std::make_unique<SampleReceiveInternal> (sampleTarget, 1));
        sessions.push_back (std::make_unique<SampleWrite> (sampleTarget, 1));
        sessions.push_back (std::make_unique<SequenceReceive> (patternTarget, 1));
        sessions.push_back (std::make_unique<SequenceWrite> (patternTarget, 1));
        sessions.push_back (std::make_unique<GlobalReceive> (globalTarget));
        sessions.push_back (std::make_unique<GlobalWrite> (globalTarget));
        sessions.push_back (std::make_unique<EffectReceive>());
        sessions.push_back (std::make_unique<EffectWrite> (effectTarget));
        return sessions;
    }

    SampleData sampleTarget;
    SequenceData patternTarget;
    GlobalData globalTarget;
    EffectData effectTarget;
};
}

TEST_F (EverySession, AForeignDeviceEndsEverySessionBeforeItsFirstMessage)
{
    setFaults ([] (auto& f) { f.foreignFamily = true; });

    for (auto& session : makeAll())
    {
        EXPECT_EQ (runSession (*session), "Error_UsbTargetDeviceIsNotPlovara");
        EXPECT_EQ (access.takeIds(), std::vector<int> { Id::deviceInquiryRequest });
        EXPECT_EQ (session->getProgress(), 0.0);
    }
}

TEST_F (EverySession, SilenceAndAVanishedDeviceEndInATimeout)
{
    for (auto& session : makeAll())
    {
        setFaults ([] (auto& f) { f.dropReplies = 1; });
        EXPECT_EQ (runSession (*session, 100), "Error_UsbTimeout");
    }

    // The device goes away as it starts to answer.
    setFaults ([] (auto& f) { f.unplugAfterBytes = 0; });
    auto sessions = makeAll();
    EXPECT_EQ (runSession (*sessions.front(), 100), "Error_UsbTimeout");
}

TEST_F (EverySession, EveryoneSucceedsWithAWillingDeviceAndEndsAtFullProgress)
{
    for (auto& session : makeAll())
    {
        EXPECT_EQ (runSession (*session), "");
        EXPECT_EQ (session->getProgress(), 1.0);
        EXPECT_EQ (access.takeIds().front(), Id::deviceInquiryRequest);
    }
}
