// The owned registry key over a scratch class registry: strings stored in odd forms, and
// keys listed, opened and deleted.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/scratch_registry.h"
#include "util/reg_key.h"

namespace {

void SetRaw(const TRegKey& key, const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    ASSERT_EQ(::RegSetValueExW(key.Handle(), name, 0, type, static_cast<const BYTE*>(data), bytes),
              ERROR_SUCCESS);
}

std::wstring Read(const TRegKey& key, const std::wstring& name, LSTATUS expected = ERROR_SUCCESS) {
    std::wstring text = L"stale";
    EXPECT_EQ(key.QueryString(name, text), expected) << name;
    return text;
}

} // namespace

TEST(RegKey, StringsReadAsStoredWhateverTheirLengthAndEnd) {
    ScratchRegistry scratch;
    TRegKey key;
    ASSERT_EQ(key.Create(HKEY_CLASSES_ROOT, L"A\\B", KEY_ALL_ACCESS), ERROR_SUCCESS);
    SetRaw(key, L"bare", REG_SZ, L"ab", 4);    // no terminator
    SetRaw(key, L"odd", REG_SZ, L"abc", 5);    // half a character at the end
    SetRaw(key, L"inner", REG_SZ, L"a\0b", 8); // text ends at the first terminator
    SetRaw(key, L"expand", REG_EXPAND_SZ, L"%TEMP%", 14);
    const DWORD number = 7;
    SetRaw(key, L"n", REG_DWORD, &number, sizeof number);
    const std::wstring longer(3000, L'x'); // far beyond the first guess at its size
    ASSERT_EQ(key.SetString(L"", longer), ERROR_SUCCESS);

    EXPECT_EQ(Read(key, L"bare"), L"ab");
    EXPECT_EQ(Read(key, L"odd"), L"ab");
    EXPECT_EQ(Read(key, L"inner"), L"a");
    EXPECT_EQ(Read(key, L"expand"), L"%TEMP%");
    EXPECT_EQ(Read(key, L""), longer);
    EXPECT_EQ(Read(key, L"n", ERROR_UNSUPPORTED_TYPE), L"");
    EXPECT_EQ(Read(key, L"missing", ERROR_FILE_NOT_FOUND), L"");
    EXPECT_EQ(key.ValueType(L"n"), REG_DWORD);
    EXPECT_EQ(key.ValueType(L"missing"), std::nullopt);
    std::vector<std::wstring> names = key.ValueNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"", L"bare", L"expand", L"inner", L"n", L"odd"}));
}

TEST(RegKey, KeysListOpenAndGoAsATree) {
    ScratchRegistry scratch;
    scratch.SetText(L"T\\one\\deeper\\still", L"x");
    scratch.CreateKey(L"T\\two");
    scratch.CreateKey(L"Kept");
    TRegKey key;
    ASSERT_EQ(key.Open(HKEY_CLASSES_ROOT, L"T", KEY_READ), ERROR_SUCCESS);
    EXPECT_EQ(key.SubkeyNames(), (std::vector<std::wstring>{L"one", L"two"}));
    EXPECT_EQ(key.Open(HKEY_CLASSES_ROOT, L"Missing", KEY_READ), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(key) << "the key held before is closed";

    EXPECT_EQ(TRegKey::DeleteTree(HKEY_CLASSES_ROOT, L"T"), ERROR_SUCCESS);
    EXPECT_FALSE(scratch.HasKey(L"T"));
    EXPECT_TRUE(scratch.HasKey(L"Kept"));
}
