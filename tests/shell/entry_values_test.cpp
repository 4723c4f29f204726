// The entry's name, key and values from the executable's path.

#include <gtest/gtest.h>

#include "shell/entry_values.h"

TEST(EntryValues, NamedAfterTheExecutableWithoutItsExtension) {
    EXPECT_EQ(EntryName(L"C:\\Program Files\\Quillmont\\Quillmont.exe"), L"Quillmont");
    EXPECT_EQ(EntryName(L"D:\\my.tools\\icon.grabber.exe"), L"icon.grabber");
    EXPECT_EQ(EntryName(L"C:\\Tools\\noext"), L"noext");
    // All extension: kept whole, never the menu's own key.
    EXPECT_EQ(EntryName(L"C:\\Tools\\.exe"), L".exe");
    EXPECT_EQ(EntryKey(L"Quillmont"), L"Directory\\Background\\shell\\Quillmont");
    EXPECT_EQ(EntryVerb(L"Quillmont"), L"Открыть «Quillmont»");
    EXPECT_EQ(QuotedPath(L"C:\\A B\\q.exe"), L"\"C:\\A B\\q.exe\"");
}
