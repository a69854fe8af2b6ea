#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace korven {

// An ini ("profile") file with the semantics of the Windows profile functions:
// section and key names match without regard to case, values are trimmed, a write
// replaces the key in place or adds it at the end of its section, and every other
// line of the file survives unchanged.
class ProfileFile {
public:
    // A missing file reads as empty; other read errors return false.
    bool load(const QString &path);
    // Written through a temporary file that replaces the old one.
    bool save(const QString &path) const;

    QString value(const QString &section, const QString &key, const QString &fallback) const;
    // Leading blanks, an optional sign and the leading digits, as GetPrivateProfileInt
    // reads them ("12abc" is 12); no digits at all read as 0; a missing key as fallback.
    int intValue(const QString &section, const QString &key, int fallback) const;
    // The whole value as a decimal integer (sign and surrounding blanks allowed);
    // anything else, "12abc" included, reads as 0; a missing key as fallback.
    int wholeIntValue(const QString &section, const QString &key, int fallback) const;
    void setValue(const QString &section, const QString &key, const QString &value);

private:
    int findSection(const QString &section) const;
    int sectionEnd(int headerLine) const;
    int findKey(int headerLine, const QString &key) const;

    QList<QByteArray> m_lines;
};

} // namespace korven
