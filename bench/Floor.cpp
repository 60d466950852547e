// The floor of loading: read the file in 64 KB chunks and make one heap copy of
// each line (split at LF), keeping the pointers in a vector; nothing else.
// What any loader into separately allocated lines must at least do.
//   floor FILE
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    int fd = ::open(argv[1], O_RDONLY);
    if (fd < 0)
        return 1;
    static char buf[65536];
    std::vector<char*> lines;
    std::string carry;
    ssize_t got;
    while ((got = ::read(fd, buf, sizeof buf)) > 0) {
        const char* p = buf;
        const char* end = buf + got;
        while (const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)))) {
            size_t len = static_cast<size_t>(lf - p);
            char* line;
            if (carry.empty()) {
                line = static_cast<char*>(std::malloc(len + 1));
                std::memcpy(line, p, len);
            } else {
                carry.append(p, len);
                len = carry.size();
                line = static_cast<char*>(std::malloc(len + 1));
                std::memcpy(line, carry.data(), len);
                carry.clear();
            }
            line[len] = '\0';
            lines.push_back(line);
            p = lf + 1;
        }
        carry.append(p, static_cast<size_t>(end - p));
    }
    ::close(fd);
    std::fprintf(stderr, "%zu lines\n", lines.size());
    return 0;
}
