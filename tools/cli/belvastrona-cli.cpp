#include <iostream>

#include "PoleceniaCli.h"

int main(int argc, char** argv) {
    std::vector<std::string> argumenty(argv + 1, argv + argc);
    return WykonaniePolecenia(argumenty, std::cout, std::cerr);
}
