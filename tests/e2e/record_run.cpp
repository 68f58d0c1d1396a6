// The command that the end-to-end tests let cmdform start. Each run leaves one file in the folder
// named by $E2E_RECORD_DIR, run.<pid>: the number of arguments, every argument and then every
// environment entry, each followed by a NUL byte, so that blanks, quotes, line feeds and empty
// arguments come back exactly. The file is written under another name and renamed, so a record
// that exists is complete.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern char** environ;

int main(int argc, char* argv[])
{
    const char* folder = std::getenv("E2E_RECORD_DIR");
    if (!folder) {
        std::fputs("record_run: E2E_RECORD_DIR is not set\n", stderr);
        return 2;
    }
    std::string record = std::to_string(argc - 1);
    record += '\0';
    for (int i = 1; i < argc; ++i) {
        record += argv[i];
        record += '\0';
    }
    for (char** entry = environ; *entry; ++entry) {
        record += *entry;
        record += '\0';
    }

    const std::string path = std::string(folder) + "/run." + std::to_string(::getpid());
    const std::string part = path + ".part";
    std::FILE* file = std::fopen(part.c_str(), "wb");
    if (!file || std::fwrite(record.data(), 1, record.size(), file) != record.size() || std::fclose(file) != 0
        || std::rename(part.c_str(), path.c_str()) != 0) {
        std::perror("record_run");
        return 1;
    }
    return 0;
}
