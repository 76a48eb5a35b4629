#include <iostream>

int main() {
    std::cout << "mirvok-cli: not built yet\n";
    return 0;
}
