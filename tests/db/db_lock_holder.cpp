// Holds an exclusive write lock on a database for the given milliseconds:
// db_lock_holder FILE MILLISECONDS. Prints "locked" once it holds the lock.
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char* argv[]) {
    if (argc != 3)
        return 2;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        return 1;
    if (sqlite3_exec(db, "BEGIN EXCLUSIVE; UPDATE provedores SET nombre = nombre;", nullptr, nullptr,
                     nullptr) != SQLITE_OK)
        return 1;
    std::puts("locked");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[2])));
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return 0;
}
