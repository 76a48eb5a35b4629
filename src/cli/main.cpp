#include <iostream>

#include "cli/app.hpp"
#include "system/file_size_signal.hpp"
#include "system/freed_memory.hpp"

int main(int argc, char** argv) {
    mirvok::ignoreFileSizeSignal();
    mirvok::giveFreedBlocksBack();
    return mirvok::cli::runCli(argc, argv, std::cout, std::cerr);
}
