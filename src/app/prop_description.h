#pragma once
// The property description: the text form in which a window's kept properties are stored,
//
//     object frm_main: Tfrm_main
//       Width = 811
//       object chb_option: TCheckBox
//         Checked = True
//       end
//     end
//
// one object per component with its properties first and the objects below it after,
// each level indented by two spaces, lines ending in CR LF. Portable: no Win32 here.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TPropObject {
    std::wstring Name;
    std::wstring ClassName;
    // Property name and value text, in order ("Columns.__Item0.Width", "110").
    std::vector<std::pair<std::wstring, std::wstring>> Props;
    std::vector<TPropObject> Children;

    // The child object of this name, added at the end when missing.
    TPropObject& Child(const std::wstring& name, const std::wstring& className);
    bool operator==(const TPropObject&) const = default;
};

std::wstring WritePropDescription(const TPropObject& root);

// Reads a description written as above, up to the root object's end; whatever follows it
// (lines left from an earlier, longer description) is passed over. Spacing is free. A text
// not in that form, or one that ends before the root's end, gives nullopt, never an
// exception. Nesting deeper than kMaxPropDepth objects is refused.
std::optional<TPropObject> ReadPropDescription(std::wstring_view text) noexcept;
inline constexpr int kMaxPropDepth = 64;

// Value texts: whole numbers in decimal, booleans as True and False.
std::wstring IntegerText(long long value);
std::wstring BooleanText(bool value);
std::optional<int> ReadInteger(std::wstring_view text);
std::optional<bool> ReadBoolean(std::wstring_view text);

// The text split at its line breaks (CR LF, or a lone LF or CR), without them; a final
// line break ends the last line rather than starting an empty one.
std::vector<std::wstring> SplitLines(std::wstring_view text);
// Every line followed by CR LF.
std::wstring JoinLines(const std::vector<std::wstring>& lines);
