#include "TestSupport.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "app/TransmitNoticeManager.h"

#include <gtest/gtest.h>

namespace
{
constexpr int sentinelId = 9999;

// Counts the broadcasts of message 18 that reach the engine's listeners.
struct NoticeFixture : ::testing::Test, juce::MessageListener
{
    NoticeFixture()
    {
        engine = MessageEngine::getInstance();
        engine->addListener (this);
    }

    ~NoticeFixture() override
    {
        engine->removeListener (this);
        MessageEngine::releaseInstance();
    }

    void handleMessage (const juce::Message& message) override
    {
        if (auto* m = dynamic_cast<const BroadcastMessage*> (&message))
        {
            noticesChanged += m->id == MessageIds::transmitNoticesChanged ? 1 : 0;
            sentinelArrived = sentinelArrived || m->id == sentinelId;
        }
    }

    // Everything posted so far, counted: the sentinel comes last.
    int deliveredNoticeMessages()
    {
        sentinelArrived = false;
        noticesChanged = 0;
        engine->post (sentinelId);
        EXPECT_TRUE (TestSupport::dispatchUntil ([this] { return sentinelArrived; }));
        return noticesChanged;
    }

    MessageEngine* engine = nullptr;
    int noticesChanged = 0;
    bool sentinelArrived = false;
    TransmitNoticeManager notices;
};
}

TEST_F (NoticeFixture, AllNoticesStartOff)
{
    for (int i = 0; i < TransmitNoticeManager::numSamples; ++i)
        EXPECT_FALSE (notices.getSampleNotice (i));
    EXPECT_FALSE (notices.getPatternSetNotice());
}

TEST_F (NoticeFixture, EveryStorePostsOneMessageEvenWithoutAChange)
{
    notices.setSampleNotice (35, true);
    EXPECT_TRUE (notices.getSampleNotice (35));
    EXPECT_FALSE (notices.getSampleNotice (34));
    EXPECT_EQ (deliveredNoticeMessages(), 1);

    notices.setSampleNotice (35, true);
    notices.setPatternSetNotice (false);
    EXPECT_EQ (deliveredNoticeMessages(), 2);

    notices.setPatternSetNotice (true);
    EXPECT_TRUE (notices.getPatternSetNotice());
    EXPECT_EQ (deliveredNoticeMessages(), 1);
}

TEST_F (NoticeFixture, SampleIndicesOutsideTheBankAreIgnored)
{
    notices.setSampleNotice (36, true);
    notices.setSampleNotice (-1, true);
    EXPECT_FALSE (notices.getSampleNotice (36));
    EXPECT_FALSE (notices.getSampleNotice (-1));
    EXPECT_EQ (deliveredNoticeMessages(), 0);
}

TEST_F (NoticeFixture, ClearAllSwitchesEverythingOffWithOneMessage)
{
    for (int i = 0; i < TransmitNoticeManager::numSamples; ++i)
        notices.setSampleNotice (i, true);
    notices.setPatternSetNotice (true);
    deliveredNoticeMessages();

    notices.clearAll();
    EXPECT_EQ (deliveredNoticeMessages(), 1);
    for (int i = 0; i < TransmitNoticeManager::numSamples; ++i)
        EXPECT_FALSE (notices.getSampleNotice (i));
    EXPECT_FALSE (notices.getPatternSetNotice());
}

TEST (TransmitNoticeManager, WorksWithoutAMessageEngine)
{
    ASSERT_EQ (MessageEngine::getInstancePointer(), nullptr);
    TransmitNoticeManager notices;
    notices.setSampleNotice (0, true);
    notices.clearAll();
    EXPECT_FALSE (notices.getSampleNotice (0));
}
