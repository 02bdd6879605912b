// Stands in for the reader of Access files: fake_mdb_reader MODE ACCESS NEW.
// "crash" dies of a signal, "hang" never ends, "refuse" reports an error.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

int main(int argc, char* argv[]) {
    if (argc != 4)
        return 2;
    if (std::strcmp(argv[1], "crash") == 0)
        std::abort();
    if (std::strcmp(argv[1], "hang") == 0)
        std::this_thread::sleep_for(std::chrono::minutes(10));
    std::puts("ERROR\tEl lector de prueba no lee nada.");
    return 1;
}
