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

}  // namespace gr::setup
