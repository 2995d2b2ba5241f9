#include "resources/ResourceFiles.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

TEST (StringTable, ItemsComeFromTheEmbeddedParameterStrings)
{
    StringTable table ("parameterstrings");   // names match without regard to case
    ASSERT_TRUE (table.isLoaded());
    EXPECT_EQ (table.getItem ("OnOff", 0), "Off");
    EXPECT_EQ (table.getItem ("OnOff", 1), "On");
    EXPECT_EQ (table.getItem ("OnOff", 2), "");
    EXPECT_EQ (table.getItem ("NoSuchList", 0), "");
    EXPECT_EQ (table.getNumItems ("OnOff"), 2);
}

TEST (StringTable, AMissingResourceLeavesTheTableEmpty)
{
    StringTable table ("NoSuchTable");
    EXPECT_FALSE (table.isLoaded());
    EXPECT_EQ (table.getItem ("OnOff", 0), "");
    EXPECT_TRUE (ResourceFiles::find ("png", "Nothing").isEmpty());
}
