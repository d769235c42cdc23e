// Runs a program with the given arguments and standard input, collecting its output.
#pragma once

#include <string>
#include <vector>

namespace gr::admin::test {

struct ProcessResult {
    int exitCode = -1;  // -1 when the program could not run or ended by a signal
    std::string out;
    std::string err;
};

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& input = {});

}  // namespace gr::admin::test
