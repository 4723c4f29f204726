#include "support/ne_reading.h"

#include "harvest/icons/ne_parser.h"

std::vector<TNEGroupRead> ReadNEGroups(std::span<const std::uint8_t> Bytes,
                                       const std::wstring& BaseName) {
    TMemorySource source(Bytes);
    TNEModule module(source, BaseName);
    module.ReadHeaders();
    module.ReadResourceTable();
    const bool useNames = module.Names().size() == module.GroupCount();
    std::vector<TNEGroupRead> groups(module.GroupCount());
    for (std::size_t k = 0; k < groups.size(); ++k) {
        TMemoryStream stream;
        module.CopyResource(k, true, groups[k].Name, stream);
        if (useNames)
            groups[k].Name = std::wstring(module.Names()[k].begin(), module.Names()[k].end());
        stream.Seek(0);
        const auto count = ReadIconDirHeader(stream);
        groups[k].HasDirectory = count.has_value();
        for (std::uint16_t i = 0; i < count.value_or(0); ++i) {
            const TGroupIconEntry entry = ReadGroupIconEntry(stream);
            std::wstring name;
            TFixtureImage image{
                entry.Entry,
                module.ReadResource(module.FindIcon(entry.IconId, false), false, name)};
            groups[k].Images.push_back(std::move(image));
        }
    }
    return groups;
}
