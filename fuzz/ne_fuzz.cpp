// Reads arbitrary bytes as a 16-bit module the way the icon-library reader does: headers,
// resource table, every group's directory and every image it names.

#include <cstddef>
#include <cstdint>

#include "harvest/icons/icon_format.h"
#include "harvest/icons/module_kind.h"
#include "harvest/icons/ne_parser.h"

namespace {

void ReadGroups(TNEModule& Module) {
    for (std::size_t k = 0; k < Module.GroupCount(); ++k) {
        TMemoryStream stream;
        std::wstring name;
        Module.CopyResource(k, true, name, stream);
        stream.Seek(0);
        const auto count = ReadIconDirHeader(stream);
        for (std::uint16_t i = 0; i < count.value_or(0); ++i) {
            const TGroupIconEntry entry = ReadGroupIconEntry(stream);
            const std::size_t index = Module.FindIcon(entry.IconId, false);
            const std::vector<std::uint8_t> data = Module.ReadResource(index, false, name);
            ImageSizeOfData(data);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    TMemorySource source(std::span(Data, Size));
    ModuleKindOf(source);
    TNEModule module(source, L"fuzz");
    try {
        module.ReadHeaders();
        module.ReadResourceTable();
        ReadGroups(module);
    } catch (const Exception&) {
        // A rejected file is an expected outcome.
    }
    return 0;
}
