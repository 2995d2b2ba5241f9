#pragma once

// Ids of the broadcast messages posted through the MessageEngine.
namespace MessageIds
{
    constexpr int dataChanged                = 1;   // every view refreshes from the data
    constexpr int openCurrentFile            = 2;   // the Host opens its current file
    constexpr int preferencesChanged         = 4;
    constexpr int allBankReceiveFinished     = 5;   // argument: success flag
    constexpr int selectedBankReceiveFinished = 6;  // argument: success flag
    constexpr int selectedBankWriteFinished  = 7;   // argument: success flag
    constexpr int fileWritten                = 8;   // the file browser refreshes
    constexpr int closeAboutBox              = 9;
    constexpr int preferencesWindowClosing   = 10;
    constexpr int sessionDialogFinished      = 11;
    constexpr int bankMemoryWindowClosing    = 12;
    constexpr int restoreWindowHeight        = 20;  // the main window to itself, back from minimised
    constexpr int setBrowserRootFolder       = 15;  // argument: the folder (BrowserComponent::RootFolderMessage)
    constexpr int refreshFileBrowser         = 16;
    constexpr int showWaveformEditor         = 17;  // argument: flag
    constexpr int transmitNoticesChanged     = 18;
    constexpr int samplePlaybackStarted      = 21;
    constexpr int samplePlaybackStopped      = 22;
    constexpr int previewStarted             = 23;
    constexpr int previewStopped             = 24;
    constexpr int loadSampleFile             = 25;  // the FileManager to itself, after the current event
    constexpr int openDroppedBankFile        = 26;  // the main component to itself, after the drop
    constexpr int patternTableEvent          = 27;  // argument: int and pointer
    constexpr int sessionManagerEvent        = 28;  // argument: int
    constexpr int aboutBoxShown              = 6151; // the about box to itself: it takes the focus
}
