#include "network/cli.h"

#include <iostream>

int main(int argc, char** argv) {
    return network::runCommandLine(network::commandLine(argc, argv), std::cout, std::cerr);
}
