// The tests' scratch registry: what the code under test and the shell see while it lasts,
// and that nothing of it is left afterwards.

#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/scratch_registry.h"
#include "util/handle.h"

namespace {

std::vector<std::wstring> SubkeyNames(HKEY root) {
    std::vector<std::wstring> names;
    wchar_t name[256];
    DWORD length = 256;
    for (DWORD i = 0; ::RegEnumKeyExW(root, i, name, &length, nullptr, nullptr, nullptr, nullptr) ==
                      ERROR_SUCCESS;
         ++i, length = 256)
        names.emplace_back(name, length);
    return names;
}

std::wstring DefaultText(HKEY root, const std::wstring& subKey) {
    wchar_t text[256] = {};
    DWORD size = sizeof text;
    if (::RegGetValueW(root, subKey.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return L"<missing>";
    return text;
}

bool KeyExists(HKEY root, const std::wstring& subKey) {
    UniqueKey key;
    return ::RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::wstring ShellTypeName(const wchar_t* fileName) {
    SHFILEINFOW info{};
    ::SHGetFileInfoW(fileName, FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                     SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME);
    return info.szTypeName;
}

} // namespace

TEST(ScratchRegistry, TheClassRegistryHoldsExactlyWhatTheTestWrote) {
    std::wstring scratchPath;
    {
        ScratchRegistry registry;
        scratchPath = registry.Path();
        EXPECT_TRUE(SubkeyNames(HKEY_CLASSES_ROOT).empty());

        registry.AddFileType(L".qmt", L"Quillmont.Test", L"Файл для проверки",
                             L"notepad.exe \"%1\"");
        registry.CreateKey(L".bare");
        EXPECT_EQ(SubkeyNames(HKEY_CLASSES_ROOT),
                  (std::vector<std::wstring>{L".bare", L".qmt", L"Quillmont.Test"}));
        EXPECT_EQ(DefaultText(HKEY_CLASSES_ROOT, L".qmt"), L"Quillmont.Test");
        EXPECT_EQ(DefaultText(HKEY_CLASSES_ROOT, L"Quillmont.Test"), L"Файл для проверки");
        EXPECT_EQ(DefaultText(HKEY_CLASSES_ROOT, L"Quillmont.Test\\shell\\open\\command"),
                  L"notepad.exe \"%1\"");
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, scratchPath + L"\\.qmt"));
    }
    // The real class registry is back, untouched, and the scratch tree is gone.
    EXPECT_GT(SubkeyNames(HKEY_CLASSES_ROOT).size(), 10u);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L".qmt"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Quillmont.Test"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, scratchPath));
}

TEST(ScratchRegistry, TheShellReadsTheScratchClasses) {
    {
        ScratchRegistry registry;
        registry.AddFileType(L".qmt", L"Quillmont.Test", L"Quillmont test file",
                             L"notepad.exe \"%1\"");
        EXPECT_EQ(ShellTypeName(L"a.qmt"), L"Quillmont test file");
    }
    EXPECT_NE(ShellTypeName(L"b.qmt"), L"Quillmont test file");
}

TEST(ScratchRegistry, ReadsBackWhatTheCodeUnderTestWrote) {
    ScratchRegistry registry;
    UniqueKey key;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, L"Directory\\Background\\shell\\Quillmont", 0,
                                nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    const std::wstring text = L"Собрать иконки";
    ::RegSetValueExW(key.get(), L"MUIVerb", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    const DWORD number = 7;
    ::RegSetValueExW(key.get(), L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof number);

    EXPECT_TRUE(registry.HasKey(L"Directory\\Background\\shell\\Quillmont"));
    EXPECT_FALSE(registry.HasKey(L"Directory\\Background\\shell\\Other"));
    EXPECT_EQ(registry.Text(L"Directory\\Background\\shell\\Quillmont", L"MUIVerb"), text);
    EXPECT_EQ(registry.Text(L"Directory\\Background\\shell\\Quillmont", L"Number"), std::nullopt);
    EXPECT_EQ(registry.Text(L"Directory\\Background\\shell\\Quillmont"), std::nullopt);
    EXPECT_EQ(registry.Text(L"Directory\\Background\\shell\\Missing"), std::nullopt);
    registry.SetText(L"Directory", L"");
    EXPECT_EQ(registry.Text(L"Directory"), L"");
}

TEST(ScratchRegistry, CanStandInForTheUserRegistry) {
    std::wstring scratchPath;
    {
        ScratchRegistry registry(HKEY_CURRENT_USER);
        scratchPath = registry.Path();
        UniqueKey key;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Quillmont\\Tfrm_main_quillmont",
                                    0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
                  ERROR_SUCCESS);
        EXPECT_TRUE(registry.HasKey(L"Software\\Quillmont\\Tfrm_main_quillmont"));
        EXPECT_EQ(SubkeyNames(HKEY_CURRENT_USER), (std::vector<std::wstring>{L"Software"}));
    }
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Quillmont\\Tfrm_main_quillmont"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, scratchPath));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L"Control Panel")); // the user's own keys are back
}

TEST(ScratchRegistry, OneOverridePerPredefinedKeyAtATime) {
    ScratchRegistry classes;
    EXPECT_THROW(ScratchRegistry{}, std::logic_error);
    ScratchRegistry user(HKEY_CURRENT_USER); // another predefined key may be redirected too
    classes.CreateKey(L".still");
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L".still")); // the refused one changed nothing
}

TEST(ScratchRegistry, EachGetsAFreshKey) {
    std::wstring first;
    {
        ScratchRegistry registry;
        first = registry.Path();
        registry.CreateKey(L".left");
    }
    ScratchRegistry registry;
    EXPECT_NE(registry.Path(), first);
    EXPECT_TRUE(SubkeyNames(HKEY_CLASSES_ROOT).empty());
}
