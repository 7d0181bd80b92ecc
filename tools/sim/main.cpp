// quibix-sim: plays the rule engine headless. One command a line on
// standard input, one JSON object a line on standard output; see
// Simulator.h for the commands.
#include "Simulator.h"

#include <iostream>
#include <string>

int main()
{
    std::ios::sync_with_stdio(false);
    quibix::sim::Simulator simulator;
    std::string line;
    long number = 0;
    while (std::getline(std::cin, line)) {
        const std::string reply = simulator.run(line, ++number);
        if (!reply.empty())
            std::cout << reply << '\n';
    }
    std::cout.flush();
    return 0;
}
