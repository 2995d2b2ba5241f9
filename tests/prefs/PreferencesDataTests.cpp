#include "TestSupport.h"

#include "app/UserFolders.h"
#include "prefs/PreferencesData.h"

#include <gtest/gtest.h>

namespace
{
struct PreferencesFixture : ::testing::Test
{
    PreferencesFixture() { UserFolders::overrideApplicationDataFolder (temp.folder); }
    ~PreferencesFixture() override { UserFolders::overrideApplicationDataFolder ({}); }

    juce::File file() const
    {
        return temp.folder.getChildFile ("Tavir").getChildFile ("Plovara Editor").getChildFile ("PreferencesData.xml");
    }

    void writeFile (const juce::String& body) const
    {
        file().getParentDirectory().createDirectory();
        file().replaceWithText ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + body);
    }

    TestSupport::TemporaryFolder temp;
};

void expectDefaults (const PreferencesData& prefs)
{
    for (int i = 0; i < PreferencesData::numFlags; ++i)
        EXPECT_TRUE (prefs.getFlag ((PreferencesData::Flag) i)) << "flag " << i;

    EXPECT_EQ (prefs.getNumber (PreferencesData::knobMode), 0);
    EXPECT_EQ (prefs.getNumber (PreferencesData::waveGraphViewScale), 128);
    EXPECT_EQ (prefs.getNumber (PreferencesData::windowHeight), 420);
    EXPECT_EQ (prefs.getNumber (PreferencesData::windowHeightWithWaveformEditor), 540);

    for (int i = 0; i < PreferencesData::numTexts; ++i)
        EXPECT_TRUE (prefs.getText ((PreferencesData::Text) i).isEmpty()) << "text " << i;

    EXPECT_TRUE (prefs.getSampleFileTreeHistories().isEmpty());
    EXPECT_EQ (prefs.getAudioDeviceSettings()->getTagName(), "AudioDeviceSettings");
}
}

TEST_F (PreferencesFixture, MissingFileGivesDefaultsAndShutdownWritesEveryKeyInOrder)
{
    {
        PreferencesData prefs;
        expectDefaults (prefs);
        prefs.setSampleFileTreeHistories ({ "/one", "/two" });
        prefs.setFlag (PreferencesData::waveGraphAutoScroll, false);
    }

    const auto text = file().loadFileAsString();
    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));

    auto document = juce::parseXML (text);
    ASSERT_NE (document, nullptr);
    EXPECT_EQ (document->getTagName(), "PlovaraEditorPreferences");

    juce::StringArray order;
    for (auto* child : document->getChildIterator())
        order.add (child->getTagName());

    const juce::StringArray expectedOrder {
        "ShowWaveformEditor", "WarningBeforeWriting", "WaveGraphAutoScroll", "SampleFileTreeAutoPreview",
        "TargetSampleAutoPlay", "EnableParameterChange", "AudioPlaySelection", "KnobMode", "WaveGraphViewScale",
        "WindowHeight", "WindowHeightWithWaveformEditor", "SampleFileTreeLastFolder", "LastBankReceiveTargetFolder",
        "BackupFileFolder", "BankFileFolder", "SampleFileFolder", "PatternFileFolder", "GlobalFileFolder",
        "ImportableSampleFolder", "ImportablePatternFolder", "SampleFileTreeHistories", "AudioDeviceSettings"
    };
    EXPECT_EQ (order, expectedOrder);

    EXPECT_EQ (document->getChildByName ("ShowWaveformEditor")->getStringAttribute ("value"), "true");
    EXPECT_EQ (document->getChildByName ("WaveGraphAutoScroll")->getStringAttribute ("value"), "false");
    EXPECT_EQ (document->getChildByName ("GlobalFileFolder")->getStringAttribute ("value", "absent"), "");
    EXPECT_EQ (document->getChildByName ("WindowHeight")->getStringAttribute ("value"), "420");
    EXPECT_EQ (document->getChildByName ("SampleFileTreeHistories")->getNumChildElements(), 2);
    EXPECT_EQ (document->getChildByName ("SampleFileTreeHistories")->getChildElement (1)->getStringAttribute ("value"), "/two");
}

TEST_F (PreferencesFixture, AnotherRootOrBrokenTextLeavesEveryDefault)
{
    writeFile ("<OtherProgram><KnobMode value=\"1\"/><WindowHeight value=\"600\"/></OtherProgram>");
    expectDefaults (PreferencesData());

    writeFile ("<PlovaraEditorPreferences><KnobMode value=\"1\"");
    expectDefaults (PreferencesData());
}

TEST_F (PreferencesFixture, ValuesAreReadFieldByField)
{
    writeFile ("<PlovaraEditorPreferences>"
               "<ShowWaveformEditor value=\"Yes\"/>"
               "<WarningBeforeWriting value=\"no\"/>"
               "<WaveGraphAutoScroll value=\"\"/>"
               "<SampleFileTreeAutoPreview/>"
               "<TargetSampleAutoPlay value=\"  true\"/>"
               "<EnableParameterChange value=\"0\"/>"
               "<KnobMode value=\"1\"/>"
               "<WaveGraphViewScale/>"
               "<WindowHeight value=\"612\"/>"
               "<PatternFileFolder value=\"/home/me/patterns\"/>"
               "<SampleFileTreeHistories><Item value=\"/a\"/><Item value=\"\"/><Item/><Item value=\"/b\"/></SampleFileTreeHistories>"
               "<AudioDeviceSettings><DeviceName Value=\"Speakers\"/></AudioDeviceSettings>"
               "</PlovaraEditorPreferences>");

    PreferencesData prefs;
    EXPECT_TRUE (prefs.getFlag (PreferencesData::showWaveformEditor));
    EXPECT_FALSE (prefs.getFlag (PreferencesData::warningBeforeWriting));
    EXPECT_FALSE (prefs.getFlag (PreferencesData::waveGraphAutoScroll));
    EXPECT_TRUE (prefs.getFlag (PreferencesData::sampleFileTreeAutoPreview));   // no attribute: default
    EXPECT_TRUE (prefs.getFlag (PreferencesData::targetSampleAutoPlay));
    EXPECT_FALSE (prefs.getFlag (PreferencesData::enableParameterChange));
    EXPECT_TRUE (prefs.getFlag (PreferencesData::audioPlaySelection));          // no element: default

    EXPECT_EQ (prefs.getNumber (PreferencesData::knobMode), 1);
    EXPECT_EQ (prefs.getNumber (PreferencesData::waveGraphViewScale), 128);
    EXPECT_EQ (prefs.getNumber (PreferencesData::windowHeight), 612);
    EXPECT_EQ (prefs.getNumber (PreferencesData::windowHeightWithWaveformEditor), 540);

    EXPECT_EQ (prefs.getChooserFolder (3), "/home/me/patterns");
    EXPECT_EQ (prefs.getText (PreferencesData::patternFileFolder), "/home/me/patterns");
    EXPECT_EQ (prefs.getSampleFileTreeHistories(), juce::StringArray ({ "/a", "/b" }));
    EXPECT_EQ (prefs.getAudioDeviceSettings()->getChildByName ("DeviceName")->getStringAttribute ("Value"), "Speakers");
}

TEST_F (PreferencesFixture, ChangesSurviveTheSingletonsLifetime)
{
    auto* prefs = PreferencesData::getInstance();
    ASSERT_NE (prefs, nullptr);
    prefs->setChooserFolder (1, "/banks");
    prefs->setChooserFolder (7, "/ignored");
    prefs->setChooserFolder (-1, "/ignored");
    prefs->setFlag (PreferencesData::audioPlaySelection, false);
    prefs->setNumber (PreferencesData::knobMode, 1);
    prefs->setText (PreferencesData::lastBankReceiveTargetFolder, "/received");

    juce::XmlElement audio ("AudioDeviceSettings");
    audio.createNewChildElement ("BufferSize")->setAttribute ("Value", 512);
    prefs->setAudioDeviceSettings (audio);
    prefs->setAudioDeviceSettings (juce::XmlElement ("SomethingElse"));

    EXPECT_FALSE (file().exists());   // nothing is written before shutdown
    PreferencesData::releaseInstance();
    ASSERT_TRUE (file().existsAsFile());

    PreferencesData again;
    EXPECT_EQ (again.getChooserFolder (1), "/banks");
    EXPECT_EQ (again.getChooserFolder (7), "");
    EXPECT_FALSE (again.getFlag (PreferencesData::audioPlaySelection));
    EXPECT_EQ (again.getNumber (PreferencesData::knobMode), 1);
    EXPECT_EQ (again.getText (PreferencesData::lastBankReceiveTargetFolder), "/received");
    EXPECT_EQ (again.getAudioDeviceSettings()->getChildByName ("BufferSize")->getIntAttribute ("Value"), 512);
}

TEST_F (PreferencesFixture, AFailedSaveLeavesTheOldFile)
{
    writeFile ("<PlovaraEditorPreferences><KnobMode value=\"1\"/></PlovaraEditorPreferences>");
    const auto oldText = file().loadFileAsString();

    PreferencesData prefs;
    prefs.setText (PreferencesData::sampleFileTreeLastFolder, juce::String::repeatedString ("/deep", 2000));

    bool saved = true;
    {
        TestSupport::FileSizeLimit limit (4096);
        saved = prefs.save();
    }
    EXPECT_FALSE (saved);
    EXPECT_EQ (file().loadFileAsString(), oldText);
    EXPECT_EQ (file().getParentDirectory().getNumberOfChildFiles (juce::File::findFiles), 1);

    EXPECT_TRUE (prefs.save());
    EXPECT_TRUE (PreferencesData().getText (PreferencesData::sampleFileTreeLastFolder).startsWith ("/deep/deep"));
}
