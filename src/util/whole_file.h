#pragma once
// Writing a file so that it is never seen half-written: the new content goes to a temporary
// file beside the target, which then replaces the target in one step.

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

// How far a whole-file write goes to keep its target.
enum class TWriteSafety {
    // Flushed to disk before it takes the target's name: whole even after a power cut.
    Durable,
    // Not flushed: whole whenever the program stops, but a power cut soon after may lose the
    // new content. For outputs that can be made again from their sources, where one flush a
    // file would cost more than the whole rest of the work.
    Remakeable,
};

// A hidden folder of its own inside an output folder, for the temporary files of many
// whole-file writes into that folder. Where every look-up of a name not yet taken reads the
// whole folder (Wine's case-insensitive names), a temporary file beside its target costs a
// second such read of a folder that grows with every output; in a small folder of its own
// it does not. Removed when destroyed; when it cannot be made, writes keep their temporary
// files beside their targets.
class TTemporaryFolder {
public:
    explicit TTemporaryFolder(const std::wstring& folder);
    ~TTemporaryFolder();
    TTemporaryFolder(const TTemporaryFolder&) = delete;
    TTemporaryFolder& operator=(const TTemporaryFolder&) = delete;

    // The folder with its trailing "\", or empty when it could not be made.
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

// Makes FileName hold exactly Bytes. On failure raises the OS error; the target is then
// either untouched or already complete, and no temporary file is left behind. A read-only
// target is refused (access denied), as writing it would be.
// Temporaries: where the temporary file is made (null: beside the target); it must be on the
// target's volume.
void WriteWholeFile(const std::wstring& FileName, std::span<const uint8_t> Bytes,
                    TWriteSafety Safety = TWriteSafety::Durable,
                    const TTemporaryFolder* Temporaries = nullptr);

// Makes FileName a copy of the file Source (its bytes, last-write time and attributes, as a
// copy made by the system), with the same guarantees as WriteWholeFile; an unreadable
// source leaves the target untouched.
void CopyWholeFile(const std::wstring& Source, const std::wstring& FileName,
                   TWriteSafety Safety = TWriteSafety::Durable,
                   const TTemporaryFolder* Temporaries = nullptr);
