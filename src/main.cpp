// Program entry: the rest of the start-up lives in the application framework.
#include <cstdio>

int main(int, char**)
{
    std::puts("Vantorel: nothing to run yet.");
    return 0;
}
