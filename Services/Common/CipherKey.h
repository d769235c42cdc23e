// The key that SQLCipher derives from a password and a file's salt, worked out once per
// salt and kept, so that reopening a file (or a byte copy of it) skips the deliberately
// slow key derivation.
#pragma once

#include <string>

namespace gr::db {

// A raw key text ("x'<key><salt>'") that opens the file at path as the password would,
// or empty text when the file has no salt to read (new, empty or missing files), in
// which case the password is handed to the engine as it is.
std::string RawKeyForFile(const std::string& path, const std::string& password);

}  // namespace gr::db
