// Temporary files of the safe writes. Each write gets its own: a unique name beside its
// target (the target's name + ".tmp" + six characters), created exclusively and locked
// while its writer runs, so two programs writing into one folder never share one and a
// clean-up never removes the file of a write still running. The content is synced before
// the file is renamed over the target, so the target is either the old file or the new
// one, never a part of it.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The file a write to Path really replaces: a symbolic link is followed to the file it
// names (an existing target keeps its links), a missing target is Path itself.
std::string WriteTargetOf(const std::string& Path);

struct TTempFile {
    std::string Path;    // empty when none is open
    int Fd = -1;
    int64_t Written = 0;  // bytes appended through Append
    int64_t Flushed = 0;  // bytes the disk was asked to take before the sync
};

// Creates the temporary file beside Target (resolved by WriteTargetOf). False when it
// cannot be created.
bool OpenTempFile(const std::string& Target, TTempFile& T);
bool AppendTemp(TTempFile& T, std::string_view Bytes);
// Syncs and closes the file, gives it the target's permissions (0644 for a new target)
// and renames it over Target. False on any failure, and then the temporary file is gone.
bool CommitTemp(TTempFile& T, const std::string& Target);
// Closes and deletes the temporary file (nothing when none is open).
void DiscardTemp(TTempFile& T);

// True for a name that a temporary file of a safe write has.
bool IsTempFileName(const std::string& Name, const std::string& TargetName = "");
// Removes temporary files of interrupted writes from Folder (only those of TargetName
// when it is given), leaving alone those whose writer is still running. The number removed.
int RemoveStaleTempFiles(const std::string& Folder, const std::string& TargetName = "");
