#pragma once
// Reading every icon out of one file on disk: a 32-bit module through the system's resource
// functions, or a 16-bit module or icon library (ICL) parsed from the file itself. Each
// group icon becomes one TAdvancedIcon in a list of named entries.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "harvest/icons/AdvancedIcon.h"
#include "harvest/icons/IconImage.h"
#include "harvest/icons/byte_source.h"
#include "harvest/icons/file_errors.h"
#include "harvest/icons/memory_stream.h"
#include "harvest/icons/ne_parser.h" // EICLReadError
#include "harvest/icons/read_budget.h"
#include "util/exception.h"
#include "util/handle.h"

// A file open for reading, read at any offset. Small reads are served from a buffer, since
// the resource table is read a few bytes at a time.
class TFileStream : public TByteSource {
public:
    enum class TShare { DenyWrite, DenyNone };
    // Raises EFOpenError with the full path and the system's text.
    explicit TFileStream(const std::wstring& fileName, TShare share = TShare::DenyWrite);
    std::uint64_t Size() const override { return size_; }
    void ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override;

private:
    void ReadDirect(std::uint64_t offset, std::span<std::uint8_t> buffer);

    UniqueFile file_;
    std::uint64_t size_ = 0;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t bufferOffset_ = 0;
};

// How many group icons a module file holds, as the shell counts them for a file: 0 for a
// file that cannot be opened, is not a module or whose resources cannot be read. The count
// is the program's own: the shell's parses damaged modules without checking its bounds on
// some systems (Wine), so handing it untrusted files can bring the program down.
int ModuleIconCount(const std::wstring& fileName);

// Whether the file starts as a module with a 32-bit ("PE") or a 16-bit ("NE") header, and
// which (isPe is set only for a module). Raises EFOpenError for a file it cannot open.
bool IsWindowsModule(const std::wstring& fileName, bool& isPe);

// Entry names with their icons, owned: removing an entry or clearing the list destroys the
// icons. An entry may have no icon.
class TIconList {
public:
    TIconList() = default;
    ~TIconList() { Clear(); }
    TIconList(const TIconList&) = delete;
    TIconList& operator=(const TIconList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    // Both raise EListError "List index out of bounds (%d)" for an index out of range.
    const std::wstring& Strings(int index) const;
    TAdvancedIcon* Objects(int index) const;

    void Add(std::wstring name, std::unique_ptr<TAdvancedIcon> icon);
    void Clear();
    void Delete(int index);
    // Destroys this list's icons, then takes source's entries; source is left empty.
    void Assign(TIconList&& source);

private:
    struct TItem {
        std::wstring Name;
        std::unique_ptr<TAdvancedIcon> Icon;
    };
    const TItem& Item(int index) const;

    std::vector<TItem> items_;
};

// Which entries of a file keep their images: every one, or only the first (the others are
// listed with their names and their images read and checked all the same, so that a damaged
// file fails as a full read fails; see TImageUse).
enum class TLoadScope { AllGroups, FirstGroup };

// The readers' base: a file and the entries read out of it.
class TICLReader {
public:
    explicit TICLReader(std::wstring fileName) : FileName(std::move(fileName)) {}
    virtual ~TICLReader() = default;
    TICLReader(const TICLReader&) = delete;
    TICLReader& operator=(const TICLReader&) = delete;

    // Fills Icons; false when the file is not of the reader's kind or cannot be read.
    virtual bool Load() = 0;

    const std::wstring FileName;
    TIconList Icons;
    TLoadScope Scope = TLoadScope::AllGroups;

protected:
    // What becomes of the images of the entry at position.
    TImageUse UseOfEntry(std::size_t position) const {
        return Scope == TLoadScope::AllGroups || position == 0 ? TImageUse::Keep
                                                               : TImageUse::CheckOnly;
    }
};

// A 32-bit module, loaded by the system as a data file; one entry per group icon in the
// order the system enumerates them, named by the group's number in decimal or its text.
class T32BitReader : public TICLReader {
public:
    // loaded: the module already loaded as a data file from fileName, if it has been.
    explicit T32BitReader(std::wstring fileName, UniqueModule loaded = {});
    ~T32BitReader() override;
    // False when the system cannot load the module. An error while a group is read (a
    // missing icon resource, a directory cut short, a damaged image, more bytes or images
    // taken than the file's budget allows) raises out of it.
    bool Load() override;

private:
    static BOOL CALLBACK EnumGroup(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param);
    void AddGroup(LPCWSTR name);

    UniqueModule Module;
    std::optional<TReadBudget> budget_;
};

// A 16-bit module or icon library, parsed from the file.
class T16BitReader : public TICLReader {
public:
    // Opens the file (EFOpenError when it cannot).
    explicit T16BitReader(std::wstring fileName);
    // False for any fault of the file; the icons built before it are destroyed. Damaged
    // images and a spent budget are not swallowed: EIconDataError raises out of it.
    bool Load() override;

    TReadBudget& Budget() { return module_->Budget(); }
    std::size_t FindIcon(std::uint16_t number, bool group) const;
    std::vector<std::uint8_t> ReadResource(std::size_t index, bool group, std::wstring& name);
    void CopyResource(std::size_t index, bool group, std::wstring& name, TMemoryStream& stream);

private:
    TFileStream Stream;
    std::wstring baseName_;
    std::optional<TNEModule> module_;
};

// An image of a 16-bit file: the group entry's bytes as they are and the resource's bytes.
class TICL16IconImage : public TIconImage {
public:
    // CreateFromEntry
    TICL16IconImage(const TIconEntry& entry, std::vector<std::uint8_t> data);
};

// A group icon of a 16-bit file, with its fallback name.
class TICL16Icon : public TAdvancedIcon {
public:
    // Reads group index of the reader's group table with all its images. A directory that
    // is not an icon directory gives no images.
    void LoadGroup(T16BitReader& reader, std::size_t index, TImageUse use = TImageUse::Keep);
    // Reads one group entry from stream and appends the image it names (with Keep), without
    // the padding after a bitmap's rows. Raises EIconDataError for a damaged image.
    void LoadImage(T16BitReader& reader, TMemoryStream& stream, TImageUse use = TImageUse::Keep);

    std::wstring Name;
};

class TIconLibrary {
public:
    TIconLibrary() = default;
    TIconLibrary(const TIconLibrary&) = delete;
    TIconLibrary& operator=(const TIconLibrary&) = delete;

    // Replaces Icons by the file's entries when the file is a module holding group icons
    // and its reader accepts it; otherwise Icons keeps the previous file's entries.
    // Raises EFOpenError for a file that cannot be opened and the 32-bit reader's errors.
    void LoadFromFile(const std::wstring& fileName, TLoadScope scope = TLoadScope::AllGroups);

    std::wstring FileName;
    TIconList Icons;
};
