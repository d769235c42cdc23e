// File copies that never leave a half-written target behind.
#pragma once

#include <string>

namespace gr::setup {

// Copies source to target through a temporary file in the target's folder, flushes it
// to disk and renames it over target, so target is either the old file or a complete
// copy. An existing target is replaced. On failure returns false with a description in
// errorMessage and removes the temporary file.
bool CopyFileAtomically(const std::string& source, const std::string& target,
                        std::string& errorMessage);

// Like CopyFileAtomically, but an existing target is not lost: it ends up under keptName,
// which must be a new name: an existing file of that name is never replaced (the call
// fails instead). Where the file system can swap two names in one step the old target is
// moved, not copied, so at every moment target is either the old file or the complete new
// one and the old file is under one of the two names. With keptName empty, or no target
// yet, this is CopyFileAtomically. On failure nothing has changed.
bool ReplaceFileKeepingOld(const std::string& source, const std::string& target,
                           const std::string& keptName, std::string& errorMessage);

}  // namespace gr::setup
