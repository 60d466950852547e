// What the stand-ins for outside filters share: binary standard streams (a
// console program's text mode would eat the CR and stop at the wrong place)
// and reading the lines of the input up to its end or a Ctrl-Z.
#pragma once
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

inline void BinaryStreams()
{
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

// The input's lines without their line ends, up to the end or a Ctrl-Z.
inline std::vector<std::string> ReadInputLines()
{
    std::vector<std::string> lines;
    std::string line;
    bool bOpen = false;
    for (int c; (c = std::getchar()) != EOF && c != 0x1A;) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
            bOpen = false;
        } else if (c != '\r') {
            line += static_cast<char>(c);
            bOpen = true;
        }
    }
    if (bOpen)
        lines.push_back(line);
    return lines;
}
