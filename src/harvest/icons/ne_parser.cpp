#include "harvest/icons/ne_parser.h"

#include <algorithm>
#include <array>

#include "util/byte_order.h"

namespace {

constexpr std::uint64_t NewHeaderOffsetAt = 60;
constexpr std::uint16_t MinNEOffset = 60;
constexpr std::uint64_t ResTableFieldAt = 36;
constexpr std::uint64_t ResidentNamesFieldAt = 38;
constexpr std::size_t TypeBlockEntrySize = 12;

constexpr std::uint16_t NumberedType = 0x8000;
constexpr std::uint16_t IconType = 3;
constexpr std::uint16_t GroupIconType = 14;

// Offsets and lengths are 16-bit values shifted by this; a larger shift addresses nothing a
// file can hold.
constexpr std::int16_t MaxAlignShift = 31;

constexpr std::size_t MaxExtensionRemoved = 30;

const wchar_t* const MsgBadFile = L"ICL-файл некорректен или поврежден";

} // namespace

std::wstring NEBaseName(std::wstring_view fileName) {
    const std::size_t folderEnd = fileName.find_last_of(L"\\/:");
    std::wstring name(folderEnd == std::wstring_view::npos ? fileName
                                                           : fileName.substr(folderEnd + 1));
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot, MaxExtensionRemoved);
    return name;
}

std::wstring NEResourceName(std::wstring_view baseName, std::size_t index) {
    std::wstring number = std::to_wstring(index + 1);
    if (number.size() < 3)
        number.insert(0, 3 - number.size(), L'0');
    std::wstring name(baseName);
    name += L' ';
    name += number;
    return name;
}

TNEModule::TNEModule(TByteSource& source, std::wstring baseName)
    : source_(source), baseName_(std::move(baseName)), budget_(source.Size()) {}

void TNEModule::Read(std::span<std::uint8_t> buffer) {
    source_.ReadAt(position_, buffer);
    position_ += buffer.size();
}

std::uint8_t TNEModule::Read8() {
    std::array<std::uint8_t, 1> byte{};
    Read(byte);
    return byte[0];
}

std::uint16_t TNEModule::Read16() {
    std::array<std::uint8_t, 2> bytes{};
    Read(bytes);
    return Le16(bytes.data());
}

std::uint16_t TNEModule::Read16At(std::uint64_t offset) {
    position_ = offset;
    return Read16();
}

void TNEModule::ReadHeaders() {
    if (Read16At(0) != ('M' | 'Z' << 8))
        throw EICLReadError(MsgBadFile);
    neOffset_ = Read16At(NewHeaderOffsetAt);
    if (neOffset_ < MinNEOffset)
        throw EICLReadError(L"Invalid Windows 16 Offset");
    if (Read16At(neOffset_) != ('N' | 'E' << 8))
        throw EICLReadError(L"Invalid Windows 16 Header");
    const std::uint16_t resTable = Read16At(neOffset_ + ResTableFieldAt);
    if (resTable == 0)
        throw EICLReadError(L"Ресурсы в файле отсутствуют");
    resTableOffset_ = std::int32_t{neOffset_} + resTable;
    if (Read16At(neOffset_ + ResidentNamesFieldAt) == 0)
        throw EICLReadError(L"Имена таблицы ресурсов не найдены");
}

void TNEModule::ReadResourceTable() {
    alignShift_ = static_cast<std::int16_t>(Read16At(static_cast<std::uint64_t>(resTableOffset_)));
    if (alignShift_ < 0 || alignShift_ > MaxAlignShift)
        throw EICLReadError(L"Таблица ресурсов содежит ошибки");
    while (Read16() != 0) {
        position_ -= 2;
        ReadTypeInfo();
    }
    if (groupEntries_.empty() || iconEntries_.empty())
        throw EICLReadError(L"Таблица ресурсов содежит ошибки");
    iconIndex_ = IndexByNumber(iconEntries_);
    groupIndex_ = IndexByNumber(groupEntries_);
    ReadResourceNames();
}

TNEModule::TNumberIndex TNEModule::IndexByNumber(const std::vector<TNEResourceEntry>& table) {
    TNumberIndex index(table.size());
    for (std::size_t i = 0; i < table.size(); ++i)
        index[i] = {static_cast<std::uint16_t>(table[i].Id ^ NumberedType),
                    static_cast<std::uint16_t>(i)};
    std::sort(index.begin(), index.end());
    return index;
}

void TNEModule::ReadTypeInfo() {
    const std::uint16_t type = Read16();
    const std::uint16_t count = Read16();
    position_ += 4; // reserved
    const bool numbered = (type & NumberedType) != 0;
    std::vector<TNEResourceEntry>* table = nullptr;
    if (numbered && (type & 0xFF) == IconType)
        table = &iconEntries_;
    else if (numbered && (type & 0xFF) == GroupIconType)
        table = &groupEntries_;
    const std::uint64_t blockSize = std::uint64_t{count} * TypeBlockEntrySize;
    if (table == nullptr) {
        position_ += blockSize;
        return;
    }
    if (!source_.Holds(position_, blockSize))
        throw EReadError(L"Stream read error");
    std::vector<std::uint8_t> bytes(blockSize);
    Read(bytes);
    table->assign(count, TNEResourceEntry{});
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = &bytes[i * TypeBlockEntrySize];
        auto field = [p](int k) { return Le16(p + 2 * k); };
        (*table)[i] = TNEResourceEntry{field(0), field(1), field(2), field(3), field(4), field(5)};
    }
}

void TNEModule::ReadResourceNames() {
    for (std::uint8_t length = Read8(); length != 0; length = Read8()) {
        std::string text(length, '\0');
        Read(std::span(reinterpret_cast<std::uint8_t*>(text.data()), text.size()));
        if (names_.empty() && text == "ICL")
            continue;
        names_.push_back(std::move(text));
    }
}

std::size_t TNEModule::FindIcon(std::uint16_t number, bool group) const {
    const TNumberIndex& index = group ? groupIndex_ : iconIndex_;
    const auto found =
        std::lower_bound(index.begin(), index.end(), std::pair(number, std::uint16_t{0}));
    if (found != index.end() && found->first == number)
        return found->second;
    throw EICLReadError(L"Ресурсы значков не найдены");
}

std::vector<std::uint8_t> TNEModule::ReadResource(std::size_t index, bool group,
                                                  std::wstring& name) {
    const TNEResourceEntry& entry = (group ? groupEntries_ : iconEntries_).at(index);
    name = NEResourceName(baseName_, index);
    const std::uint64_t offset = std::uint64_t{entry.Offset} << alignShift_;
    const std::uint64_t length = std::uint64_t{entry.Length} << alignShift_;
    if (!source_.Holds(offset, length))
        throw EReadError(L"Stream read error");
    budget_.TakeBytes(length);
    std::vector<std::uint8_t> data(length);
    position_ = offset;
    Read(data);
    return data;
}

void TNEModule::CopyResource(std::size_t index, bool group, std::wstring& name,
                             TMemoryStream& stream) {
    stream.WriteBuffer(ReadResource(index, group, name));
}
