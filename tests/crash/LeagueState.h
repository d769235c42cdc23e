// What a league folder holds: the rows of a league file and whether it is sound (read on
// connections of the test's own, so never on a file that a service of the same process
// holds open), and what every file of the folder holds.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace gr::test {

// Every row of every table, tables by name and rows in stored order, as text: two files
// with equal dumps hold the same league. Throws the engine's error when the file does not
// open with the password.
std::string LeagueDump(const std::string& path);

// Empty when the file opens with the password, the engine finds no fault in it and every
// foreign key holds; otherwise what is wrong.
std::string LeagueFault(const std::string& path);

// Every entry of a folder by name with its size and a hash of its bytes ("<folder>" for
// folders): enough to see that a file changed.
std::map<std::string, std::string> FolderBytes(const std::filesystem::path& folder);

}  // namespace gr::test
