// gr-open-helper <path>: opens a database file the way the services do, from a process
// of its own. Prints "opened" or the error message; exits 0 when the open succeeded.
#include <iostream>
#include <memory>

#include "GRServiceUtils.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::unique_ptr<gr::db::Database> database;
    std::string error;
    if (!gr::OpenDatabaseFile(argv[1], database, error)) {
        std::cout << error << std::endl;
        return 1;
    }
    std::cout << "opened" << std::endl;
    return 0;
}
