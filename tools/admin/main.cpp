#include <iostream>
#include <string>
#include <vector>

#include "AdminApp.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv, argv + argc);
    return gr::admin::RunAdmin(args, std::cout, std::cerr, std::cin);
}
