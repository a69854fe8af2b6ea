#pragma once

// The image of a program given by its line bodies (TRV10, depth 16: PulsDiv 5).

#include "Compiler.h"
#include "ProgramLine.h"

#include <initializer_list>

inline QStringList compiled(std::initializer_list<const char *> bodies) {
    QStringList lines;
    int n = 0;
    for (const char *b : bodies)
        lines.append(korven::formatLine(++n, QString::fromUtf8(b)));
    return korven::GenerujProgram(lines, korven::DriveSettings{1, 4, 5, 2047, 16}).image;
}
