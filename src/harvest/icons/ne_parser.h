#pragma once
// The resources of a 16-bit (NE) module or icon library, parsed from the file's bytes:
// the old and new executable headers, the resource table with its type blocks and name
// strings, and the bytes of each icon and group-icon resource.
// Portable: no Win32 here.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "harvest/icons/byte_source.h"
#include "harvest/icons/memory_stream.h"
#include "harvest/icons/read_budget.h"
#include "util/exception.h"

// A 16-bit file that is not a readable icon library.
class EICLReadError : public Exception {
public:
    using Exception::Exception;
};

// One 12-byte entry of a resource type block.
struct TNEResourceEntry {
    std::uint16_t Offset = 0; // in units of 2 to the alignment shift
    std::uint16_t Length = 0; // likewise
    std::uint16_t Flags = 0;
    std::uint16_t Id = 0; // high bit set: numbered, the number in the low 15 bits
    std::uint16_t Handle = 0;
    std::uint16_t Usage = 0;
};

// The file name without its folder, minus its last extension ("C:\Win\moricons.dll" gives
// "moricons", "a.b.icl" gives "a.b"); at most 30 characters of extension are removed.
std::wstring NEBaseName(std::wstring_view fileName);

// A resource's fallback name: the base name, a blank and the 1-based position in at least
// three digits ("moricons 001").
std::wstring NEResourceName(std::wstring_view baseName, std::size_t index);

class TNEModule {
public:
    TNEModule(TByteSource& source, std::wstring baseName);

    // Checks the "MZ" and "NE" headers and finds the resource table.
    void ReadHeaders();
    // Reads the alignment shift, the icon and group-icon type blocks and the name strings.
    void ReadResourceTable();

    std::int16_t AlignShift() const { return alignShift_; }
    std::uint16_t NEOffset() const { return neOffset_; }
    std::int32_t ResTableOffset() const { return resTableOffset_; }
    std::uint16_t IconCount() const { return static_cast<std::uint16_t>(iconEntries_.size()); }
    std::uint16_t GroupCount() const { return static_cast<std::uint16_t>(groupEntries_.size()); }
    // The resource table's name strings in stored order, leading "ICL" strings left out.
    const std::vector<std::string>& Names() const { return names_; }
    // The group-icon type block's entries in stored order.
    const std::vector<TNEResourceEntry>& GroupEntries() const { return groupEntries_; }

    // The position, in the group table when group or else in the icon table, of the first
    // entry numbered number, looked up in an index the resource table's reading builds.
    // Raises EICLReadError when there is none.
    std::size_t FindIcon(std::uint16_t number, bool group) const;

    // What reading this file may still cost; the resources read are charged to it.
    TReadBudget& Budget() { return budget_; }

    // The bytes of entry index of the chosen table, with the entry's fallback name. A
    // resource that does not lie within the file raises EReadError, and one that overdraws
    // the file's budget raises EIconDataError, both before anything is allocated for it.
    std::vector<std::uint8_t> ReadResource(std::size_t index, bool group, std::wstring& name);
    // The same bytes appended to stream.
    void CopyResource(std::size_t index, bool group, std::wstring& name, TMemoryStream& stream);

private:
    // Numbers with the position of their entry, ascending; a number's first entry first.
    using TNumberIndex = std::vector<std::pair<std::uint16_t, std::uint16_t>>;
    static TNumberIndex IndexByNumber(const std::vector<TNEResourceEntry>& table);

    void ReadTypeInfo();
    void ReadResourceNames();
    void Read(std::span<std::uint8_t> buffer);
    std::uint8_t Read8();
    std::uint16_t Read16();
    std::uint16_t Read16At(std::uint64_t offset);

    TByteSource& source_;
    std::wstring baseName_;
    std::uint64_t position_ = 0;
    std::int16_t alignShift_ = 0;
    std::uint16_t neOffset_ = 0;
    std::int32_t resTableOffset_ = 0;
    std::vector<TNEResourceEntry> iconEntries_;
    std::vector<TNEResourceEntry> groupEntries_;
    TNumberIndex iconIndex_;
    TNumberIndex groupIndex_;
    std::vector<std::string> names_;
    TReadBudget budget_;
};
