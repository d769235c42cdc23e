// Reading a file that a command imports: only a regular file of at most 50 MB.
#pragma once

#include <string>

namespace gr::admin {

// The whole file; false with a message naming it when it is no regular file, larger than
// 50 MB or unreadable.
bool ReadImportFile(const std::string& path, std::string& text, std::string& error);

}  // namespace gr::admin
