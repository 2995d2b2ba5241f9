#pragma once

#include "device/MessageThreadHandOver.h"
#include "device/UsbAccess.h"
#include "device/UsbSession.h"

#include <juce_data_structures/juce_data_structures.h>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

// A session that moves one thing between the program and the device: the
// effect, the global data, one sample or one pattern. Each first asks the
// device who it is (a DeviceInquiry run inside it) and then sends its
// messages on the MIDI channel the device answered on. Its steps throw
// Exception with the message key of a failure; the first failure ends the
// session.
class ItemSession : public UsbSession,
                    public UsbAccessCallback
{
public:
    // The program's undo manager, which receive sessions record their
    // results in; published by the Host while it runs. Without it (the
    // command-line tool), receive sessions keep what they received for their
    // caller instead. Used on the message thread only.
    static void setUndoManager (juce::UndoManager* undoManager) noexcept { currentUndoManager = undoManager; }
    static juce::UndoManager* getUndoManager() noexcept { return currentUndoManager; }

    // The bulk data's progress, which the session's own progress does not
    // follow: 0.0 to 1.0 of the transfer running now.
    double getTransferProgress() const noexcept { return transferFraction; }
    void transferProgress (UsbAccess&, int messageId, double fraction, bool sending) override;

    // Abandons a hand-over to the message thread before waiting.
    void cancel (int timeoutMs) override;

protected:
    static constexpr int bulkChunkSize = 16384;

    // The steps after the inquiry; throw Exception on failure.
    virtual void transfer (UsbAccess& access) = 0;

    // A message on the device's channel.
    SysExCommand onDeviceChannel (SysExCommand message) const;

    // Starts the reader for the reply ids, sends the message (bulk data in
    // pieces of bulkChunkSize with progress) and waits for a reply.
    // Throws sendFailureKey when the message cannot be sent and
    // "Error_UsbTimeout" when no reply comes.
    SysExCommand exchange (UsbAccess& access, const SysExCommand& message, const std::vector<int>& replyIds,
                           const char* sendFailureKey);

    // Asks for bulk data of the announced size and waits for it.
    SysExCommand requestBulk (UsbAccess& access, const SysExCommand& request, int bulkId, int size,
                              const char* sendFailureKey);

    // The pause the device needs after it took data.
    void settle (UsbAccess& access);

    // Has the job done on the message thread, waits for it and answers its
    // result. When the session was stopped before the job ran, the session
    // ends at once, without success and without an error key.
    bool performOnMessageThread (std::function<bool()> job);

    // Performs the action in a new transaction of the undo manager on the
    // message thread, then (when it was performed) afterwards there as well.
    // False when there is no undo manager or the action was not performed.
    bool performUndoable (std::unique_ptr<juce::UndoableAction> action, const juce::String& transactionName,
                          std::function<void()> afterwards);

    // The device holds the edited bank's sample now: its transmit notice
    // goes off.
    static void markSampleTransmitted (int sampleIndex);

    // The player takes the edited bank's sample anew; on the message thread.
    static void refreshPlayerNow (int sampleIndex);

    static bool isOneOf (int id, std::initializer_list<int> ids);

private:
    struct Stopped {};

    bool execute() final;
    bool askDevice (UsbAccess& access);
    SysExCommand sendAndWait (UsbAccess& access, const SysExCommand& message, const char* sendFailureKey);

    int deviceChannel = 0;
    std::atomic<double> transferFraction { 0.0 };
    MessageThreadHandOver handOver;

    static inline std::atomic<juce::UndoManager*> currentUndoManager { nullptr };
};
