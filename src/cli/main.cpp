#include <iostream>

#include "cli/app.hpp"

int main(int argc, char** argv) {
    return mirvok::cli::runCli(argc, argv, std::cout, std::cerr);
}
