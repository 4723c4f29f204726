#pragma once
// The console harvester's whole run, from its arguments to its exit status: 0 when every
// file was processed, 1 when some failed (the others done) or Ctrl+C stopped the run, 2 for
// a usage error or a FOLDER, OUTPUT or report file that cannot be used.

#include <string>
#include <vector>

int RunHarvestCli(const std::vector<std::wstring>& Args);
