#pragma once

#include "ProgramLine.h"

#include <QStringList>

#include <initializer_list>

// Program lines numbered from 001 as the editor writes them.
inline QStringList numbered(const QStringList &bodies) {
    QStringList lines;
    for (int i = 0; i < bodies.size(); ++i)
        lines.append(korven::formatLine(i + 1, bodies[i]));
    return lines;
}

inline QStringList numbered(std::initializer_list<const char *> bodies) {
    QStringList texts;
    for (const char *body : bodies)
        texts.append(QString::fromUtf8(body));
    return numbered(texts);
}
