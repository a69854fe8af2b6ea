#include "ProfileFile.h"

#include "DiskFlush.h"
#include "Numbers.h"

#include <QFile>
#include <QSaveFile>

#include <climits>

namespace korven {
namespace {

QString sectionName(const QByteArray &line) {
    const QByteArray t = line.trimmed();
    if (!t.startsWith('[') || !t.contains(']'))
        return {};
    return QString::fromLatin1(t.mid(1, t.indexOf(']') - 1)).trimmed();
}

bool keyMatches(const QByteArray &line, const QString &key, QByteArray *value) {
    const int eq = line.indexOf('=');
    if (eq < 0)
        return false;
    const QString name = QString::fromLatin1(line.left(eq)).trimmed();
    if (name.compare(key, Qt::CaseInsensitive) != 0)
        return false;
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

} // namespace

bool ProfileFile::load(const QString &path) {
    m_lines.clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.read(4 * 1024 * 1024);
    for (QByteArray line : content.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        m_lines.append(line);
    }
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
    return true;
}

bool ProfileFile::save(const QString &path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray content;
    for (const QByteArray &line : m_lines)
        content += line + "\r\n";
    if (file.write(content) != content.size())
        return false;
    // The old file is replaced only once the new one is on the disk.
    if (!flushToDisk(file).isEmpty()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

int ProfileFile::findSection(const QString &section) const {
    for (int i = 0; i < m_lines.size(); ++i) {
        if (sectionName(m_lines[i]).compare(section, Qt::CaseInsensitive) == 0 &&
            m_lines[i].trimmed().startsWith('['))
            return i;
    }
    return -1;
}

int ProfileFile::sectionEnd(int headerLine) const {
    int i = headerLine + 1;
    while (i < m_lines.size() && !m_lines[i].trimmed().startsWith('['))
        ++i;
    return i;
}

int ProfileFile::findKey(int headerLine, const QString &key) const {
    const int end = sectionEnd(headerLine);
    for (int i = headerLine + 1; i < end; ++i) {
        if (keyMatches(m_lines[i], key, nullptr))
            return i;
    }
    return -1;
}

QString ProfileFile::value(const QString &section, const QString &key,
                           const QString &fallback) const {
    const int header = findSection(section);
    if (header < 0)
        return fallback;
    const int line = findKey(header, key);
    if (line < 0)
        return fallback;
    QByteArray v;
    keyMatches(m_lines[line], key, &v);
    if (v.size() >= 2 &&
        ((v.startsWith('"') && v.endsWith('"')) || (v.startsWith('\'') && v.endsWith('\''))))
        v = v.mid(1, v.size() - 2);
    return QString::fromLatin1(v);
}

int ProfileFile::intValue(const QString &section, const QString &key, int fallback) const {
    const QString marker = QStringLiteral("\x01");
    const QString text = value(section, key, marker);
    if (text == marker)
        return fallback;
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        negative = t[i++] == QLatin1Char('-');
    qint64 result = 0;
    for (; i < t.size() && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9'); ++i) {
        result = result * 10 + (t[i].unicode() - '0');
        if (result > 0x7FFFFFFF)
            return 0;
    }
    return int(negative ? -result : result);
}

int ProfileFile::wholeIntValue(const QString &section, const QString &key, int fallback) const {
    const QString marker = QStringLiteral("\x01");
    const QString text = value(section, key, marker);
    if (text == marker)
        return fallback;
    bool ok = false;
    const qint64 v = parseInteger(text, &ok);
    return ok && v >= INT_MIN && v <= INT_MAX ? int(v) : 0;
}

void ProfileFile::setValue(const QString &section, const QString &key, const QString &value) {
    const QByteArray line = key.toLatin1() + '=' + value.toLatin1();
    int header = findSection(section);
    if (header < 0) {
        m_lines.append('[' + section.toLatin1() + ']');
        m_lines.append(line);
        return;
    }
    const int existing = findKey(header, key);
    if (existing >= 0) {
        m_lines[existing] = line;
        return;
    }
    // After the last non-blank line of the section.
    int insertAt = sectionEnd(header);
    while (insertAt > header + 1 && m_lines[insertAt - 1].trimmed().isEmpty())
        --insertAt;
    m_lines.insert(insertAt, line);
}

} // namespace korven
