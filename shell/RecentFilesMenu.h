#pragma once

#include "RecentFiles.h"

#include <QList>
#include <QObject>

class QAction;
class QMenu;

namespace korven {

// The recent programs as numbered entries of the file menu ("&1 ...", object names
// miOstatniPlik1..8), above a given entry, with a separator of their own; hidden while
// the list is empty. Every change is written to the settings at once.
class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    RecentFilesMenu(QMenu *menu, QAction *before, const QString &iniPath, QObject *parent);

    void add(const QString &path);
    void remove(const QString &path);
    const QStringList &files() const { return m_files.files(); }

signals:
    void openRequested(const QString &path);

private:
    void refresh();

    RecentFiles m_files;
    QList<QAction *> m_entries;
    QAction *m_separator;
};

} // namespace korven
