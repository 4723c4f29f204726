#pragma once
// icoutils on the Linux host as the oracle for the .ico files the program writes: wrestool
// extracts a module's group icons, and our file must equal its extraction up to the length
// our directory states (wrestool appends bytes after the images).

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ScratchFolder;

// The text with every character outside ASCII as "?", for test messages.
std::string Narrow(const std::wstring& s);

// True when the tests run under Wine on a host with wrestool and icotool.
bool ToolsAvailable();

// The length an .ico file's directory states: header, entries and every image's bytes.
std::size_t StatedLength(const std::vector<std::uint8_t>& Ico);

// wrestool's file for group Name of File: <file>_14_<name>.ico, or with a language suffix;
// empty when there is none.
std::wstring ExtractedFile(const std::wstring& Folder, const std::wstring& File,
                           const std::wstring& Name);

// Compares our .ico with wrestool's extraction (a failure of the test when they differ);
// returns the number compared (0 or 1).
int ExpectSameAsExtracted(const std::wstring& Ours, const std::wstring& Theirs,
                          const std::wstring& File);

// Runs wrestool -x -t 14 on the listed files (Windows paths), into Out, in one call.
void ExtractGroups(const std::vector<std::wstring>& Files, const std::wstring& Out,
                   const ScratchFolder& Scratch);

// wrestool -x -t 14 over Modules (Windows paths) in one call on the host, timed there: its
// own run time in seconds, -1 when it could not run.
double WrestoolSeconds(const std::vector<std::wstring>& Modules, const ScratchFolder& Scratch);
