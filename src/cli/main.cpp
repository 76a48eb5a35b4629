#include <iostream>

#include "cli/app.hpp"
#include "system/file_size_signal.hpp"

int main(int argc, char** argv) {
    mirvok::ignoreFileSizeSignal();
    return mirvok::cli::runCli(argc, argv, std::cout, std::cerr);
}
