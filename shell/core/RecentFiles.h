#pragma once

#include <QString>
#include <QStringList>

namespace korven {

// The programs opened or saved last, newest first, at most eight, kept in "korven.ini"
// (section "OstatniePliki", keys Plik1..Plik8, UTF-8) in the settings folder.
class RecentFiles {
public:
    static constexpr int kMaxFiles = 8;

    explicit RecentFiles(const QString &iniPath) : m_iniPath(iniPath) {}

    // Reads the list; a missing file reads as empty.
    void load();
    // Writes the list; false when the file cannot be written.
    bool save() const;

    // Puts the file first, once (the same file named twice counts once).
    void add(const QString &path);
    void remove(const QString &path);
    const QStringList &files() const { return m_files; }

private:
    qsizetype indexOf(const QString &path) const;

    QString m_iniPath;
    QStringList m_files;
};

} // namespace korven
