#include "driver.hpp"

#include <cstddef>

int main(int argc, char* argv[])
{
    return run(std::span<char* const>(argv, static_cast<std::size_t>(argc)));
}
