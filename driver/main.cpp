#include "driver.hpp"
#include "platform.hpp"

#include <cstddef>

int main(int argc, char* argv[])
{
    const int status =
        run(platform::arguments(std::span<char* const>(argv, static_cast<std::size_t>(argc))));
    platform::hold_own_console();
    return status;
}
