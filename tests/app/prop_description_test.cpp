// The property description: writing and reading it, building it from property paths and
// applying it to components, with everything it cannot use passed over.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "app/prop_description.h"
#include "app/stored_props.h"

namespace {

// A component whose properties are plain values; an item count for "Columns".
class FakeComponent : public TStoredComponent {
public:
    using TStoredComponent::TStoredComponent;
    std::map<std::wstring, std::wstring> props;
    int columns = 0;

    std::optional<std::wstring> GetProp(const std::wstring& name) const override {
        const auto it = props.find(name);
        return it == props.end() ? std::nullopt : std::optional(it->second);
    }
    bool SetProp(const std::wstring& name, const std::wstring& value) override {
        const auto it = props.find(name);
        if (it == props.end() ||
            ReadInteger(it->second).has_value() != ReadInteger(value).has_value())
            return false;
        it->second = value;
        return true;
    }
    int ItemCount(const std::wstring& collection) const override {
        return collection == L"Columns" ? columns : 0;
    }
};

FakeComponent& AddFake(TStoredComponent& parent, const std::wstring& name,
                       const std::wstring& className) {
    return static_cast<FakeComponent&>(
        parent.Add(std::make_unique<FakeComponent>(name, className)));
}

const std::wstring kText = L"object frm: Tfrm\r\n"
                           L"  Width = 811\r\n"
                           L"  Left = -8\r\n"
                           L"  object lv: TListView\r\n"
                           L"    Columns.__Item0.Width = 110\r\n"
                           L"    Columns.__Item1.Width = 220\r\n"
                           L"  end\r\n"
                           L"  object tb: TToolBar\r\n"
                           L"    object rg: TRadioButton\r\n"
                           L"      Checked = True\r\n"
                           L"    end\r\n"
                           L"  end\r\n"
                           L"end\r\n";

struct Window {
    FakeComponent frm{L"frm", L"Tfrm"};
    FakeComponent& lv = AddFake(frm, L"lv", L"TListView");
    FakeComponent& tb = AddFake(frm, L"tb", L"TToolBar");
    FakeComponent& rg = AddFake(tb, L"rg", L"TRadioButton");
    Window() {
        frm.props = {{L"Width", L"811"}, {L"Left", L"-8"}};
        lv.columns = 2;
        lv.props = {{L"Columns.__Item0.Width", L"110"}, {L"Columns.__Item1.Width", L"220"}};
        rg.props = {{L"Checked", L"True"}};
    }
};

} // namespace

TEST(PropDescription, BuiltFromPathsWrittenAndReadBack) {
    Window w;
    // The window's own properties come first, whatever their place in the list.
    const TPropertyNamesEh paths{L"<P>.Width",  L"lv.<P>.Columns.<ForAllItems>.Width",
                                 L"<P>.Left",   L"tb.rg.<P>.Checked",
                                 L"<P>.Width",  L"nothing.<P>.Checked",
                                 L"<P>.Missing"};
    const TPropObject built = BuildPropDescription(w.frm, paths);
    EXPECT_EQ(WritePropDescription(built), kText);
    EXPECT_EQ(ReadPropDescription(kText), built);
}

TEST(PropDescription, TextNotInTheFormIsRefusedWhole) {
    for (const wchar_t* text :
         {L"", L"end", L"object frm: Tfrm", L"object frm: Tfrm\r\n  object x: Tx\r\nend",
          L"Width = 1\r\nobject frm: Tfrm\r\nend", L"object frm: Tfrm\r\n  Width = 1 2\r\nend",
          L"object frm: Tfrm\r\n  Width = '1'\r\nend", L"object frm: Tfrm\r\n  Wid th = 1\r\nend",
          L"object frm: Tfrm\r\n  .Width = 1\r\nend", L"object frm Tfrm\r\nend",
          L"objectfrm: Tfrm\r\nend", L"object 1frm: Tfrm\r\nend",
          L"object frm: Tfrm\r\n  Width = 99999999999\r\nend"})
        EXPECT_FALSE(ReadPropDescription(text).has_value()) << text;

    std::wstring deep;
    for (int i = 0; i <= kMaxPropDepth; ++i)
        deep = L"object a: Ta\r\n" + deep + L"end\r\n";
    EXPECT_FALSE(ReadPropDescription(deep).has_value());
}

// An earlier, longer description leaves its last lines behind the root's end.
TEST(PropDescription, LinesAfterTheRootsEndArePassedOver) {
    const auto description = ReadPropDescription(L"object frm: Tfrm\r\n  Width = 640\r\nend\r\n"
                                                 L"  object x: Tx\r\n    Width = 1\r\n  end\r\n"
                                                 L"end\r\nnot a description line\r\n");
    ASSERT_TRUE(description.has_value());
    EXPECT_EQ(*description, (TPropObject{L"frm", L"Tfrm", {{L"Width", L"640"}}, {}}));
}

TEST(PropDescription, AppliesWhatItCanAndPassesOverTheRest) {
    Window w;
    const auto description = ReadPropDescription(L"object other: Tother\r\n"
                                                 L"  Width = 640\r\n"
                                                 L"  Left = True\r\n"
                                                 L"  Colour = 5\r\n"
                                                 L"  object ghost: TPanel\r\n"
                                                 L"    Width = 1\r\n"
                                                 L"  end\r\n"
                                                 L"  object lv: TCheckBox\r\n"
                                                 L"    Columns.__Item1.Width = 300\r\n"
                                                 L"    Columns.__Item7.Width = 300\r\n"
                                                 L"  end\r\n"
                                                 L"  object rg: TRadioButton\r\n"
                                                 L"    Checked = False\r\n"
                                                 L"  end\r\n"
                                                 L"end\r\n");
    ASSERT_TRUE(description.has_value());
    ApplyPropDescription(w.frm, *description);
    EXPECT_EQ(w.frm.props[L"Width"], L"640");
    EXPECT_EQ(w.frm.props[L"Left"], L"-8") << "a value of the wrong kind";
    EXPECT_EQ(w.lv.props[L"Columns.__Item1.Width"], L"300");
    EXPECT_EQ(w.lv.props.count(L"Columns.__Item7.Width"), 0u);
    EXPECT_EQ(w.rg.props[L"Checked"], L"True") << "rg is on tb, not on the window";
}
