#pragma once
// The console harvester's texts: progress, failure and summary lines, and the report.
// Portable: no Win32 here.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "harvest/harvest_details.h"

// The text with its tabs and line breaks turned into blanks, for one field of one line.
std::wstring OneLine(std::wstring_view Text);

// "[<done>/<total>] <left> left: <path>"
std::wstring FileProgress(std::size_t Done, std::size_t Total, std::wstring_view Path);
// "scanning, <found> found: <folder>"
std::wstring WalkProgress(std::size_t Found, std::wstring_view Folder);
// "files checked: N, icons saved: N, files failed: N"
std::wstring SummaryLine(std::size_t Checked, std::size_t Saved, std::size_t Failed);

// The report's first line, naming its tab-separated fields.
std::wstring ReportHeader();
// One found file: its path, kind, result, then per group (";" between groups) the output's
// file name (or "duplicate of <name>"), the group's name and its images ("," between them).
std::wstring ReportLine(std::wstring_view Source, TSourceKind Kind, std::wstring_view Result,
                        const std::vector<THarvestGroup>& Groups);
