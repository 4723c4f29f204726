// The entry's name from the executable's path.

#include <gtest/gtest.h>

#include "shell/entry_values.h"

TEST(EntryValues, NamedAfterTheExecutableWithoutItsExtension) {
    EXPECT_EQ(EntryName(L"D:\\my.tools\\icon.grabber.exe"), L"icon.grabber");
    EXPECT_EQ(EntryName(L"C:\\Tools\\noext"), L"noext");
    // All extension: kept whole, never the menu's own key.
    EXPECT_EQ(EntryName(L"C:\\Tools\\.exe"), L".exe");
}
