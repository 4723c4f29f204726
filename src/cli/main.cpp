// quillmont-harvest: the console harvester's entry.

#include <windows.h>

#include <string>
#include <vector>

#include "cli/harvest_cli.h"

int wmain(int argc, wchar_t** argv) {
    return RunHarvestCli(std::vector<std::wstring>(argv + 1, argv + argc));
}
