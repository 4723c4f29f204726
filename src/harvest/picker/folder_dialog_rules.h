#pragma once
// What the folder picker computes without the shell: the browse flags its options give,
// where its window goes, and its version text.

#include <cstdint>
#include <initializer_list>
#include <string>

enum TOptions : uint8_t {
    fdoBrowseForComputer,
    fdoBrowseForPrinter,
    fdoDontgoBelowDomain,
    fdoReturnFSAncestors,
    fdoReturnOnlyFSDirs,
    fdoStatusText,
    fdoNewDialogStyle,
    fdoNoNewFolderButton,
    fdoEditBox,
    fdoShareable,
};

// A set of TOptions.
class TFolderOptions {
public:
    constexpr TFolderOptions() = default;
    constexpr TFolderOptions(std::initializer_list<TOptions> options) {
        for (TOptions option : options)
            Include(option);
    }
    constexpr bool Contains(TOptions option) const { return (bits_ >> option) & 1u; }
    constexpr TFolderOptions& Include(TOptions option) {
        bits_ = static_cast<uint16_t>(bits_ | 1u << option);
        return *this;
    }
    constexpr TFolderOptions& Exclude(TOptions option) {
        bits_ = static_cast<uint16_t>(bits_ & ~(1u << option));
        return *this;
    }
    friend constexpr bool operator==(TFolderOptions, TFolderOptions) = default;

private:
    uint16_t bits_ = 0;
};

enum TDialogPosition : uint8_t { fdpDefault, fdpScreenCenter, fdpXY, fdpParentFormCenter };

// The browse-for-folder flags (BIF_...) of an option set. The shareable flag only goes with
// the new dialog style, which it needs.
uint32_t BrowseFlags(TFolderOptions options);

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

struct ScreenPoint {
    int x = 0, y = 0;
};

// The top-left corner of the dialog window: 20 pixels into the owner (fdpDefault), centred
// over the owner (fdpParentFormCenter) or over the desktop's work area (fdpScreenCenter),
// or at (x, y) with negative values taken as 0 (fdpXY).
ScreenPoint DialogPlacement(TDialogPosition position, int x, int y, const ScreenRect& owner,
                            const ScreenRect& dialog, const ScreenRect& workArea);

// A version packed major.minor.release.build, one byte each, major in the highest byte.
std::wstring VersionText(uint32_t packed);
