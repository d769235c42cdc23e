// File copies that never leave a half-written target behind. Every copy is readable and
// writable by its owner only (0600), whatever the mode of its source.
#pragma once

#include <functional>
#include <string>

namespace gr::setup {

// Looks at a complete copy before it takes its name; false with a description in
// errorMessage refuses it.
using CopyCheck = std::function<bool(const std::string& copy, std::string& errorMessage)>;

// Copies source to target through a temporary file in the target's folder, flushes it
// to disk and renames it over target, so target is either the old file or a complete
// copy. An existing target is replaced. A check, when given, passes the flushed copy
// first. On failure returns false with a description in errorMessage and removes the
// temporary file.
bool CopyFileAtomically(const std::string& source, const std::string& target,
                        std::string& errorMessage, const CopyCheck& check = {});

// Like CopyFileAtomically, but target must be a new name: an existing file of that name is
// never replaced (the call fails instead).
bool CopyFileToNewName(const std::string& source, const std::string& target,
                       std::string& errorMessage, const CopyCheck& check = {});

// Like CopyFileAtomically, but an existing target is not lost: it ends up under keptName,
// which must be a new name: an existing file of that name is never replaced (the call
// fails instead). Where the file system can swap two names in one step the old target is
// moved, not copied, so at every moment target is either the old file or the complete new
// one and the old file is under one of the two names. With keptName empty, or no target
// yet, this is CopyFileAtomically. The check, when given, passes the new copy before
// anything is replaced. On failure nothing has changed.
bool ReplaceFileKeepingOld(const std::string& source, const std::string& target,
                           const std::string& keptName, std::string& errorMessage,
                           const CopyCheck& check = {});

// Removes the temporary files that copies into folder left when their process was killed
// half-way, for targets whose names start with targetPrefix. Such a file only ever holds a
// copy of a file that still exists under its own name.
void RemoveUnfinishedCopies(const std::string& folder, const std::string& targetPrefix);

}  // namespace gr::setup
