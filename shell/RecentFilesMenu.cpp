#include "RecentFilesMenu.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace korven {
namespace {

// Long paths keep their end, where the file name is.
QString entryText(int number, const QString &path) {
    QString shown = QDir::toNativeSeparators(path);
    constexpr int kMaxShown = 60;
    if (shown.size() > kMaxShown)
        shown = QStringLiteral("…") + shown.right(kMaxShown - 1);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(number).arg(shown);
}

} // namespace

RecentFilesMenu::RecentFilesMenu(QMenu *menu, QAction *before, const QString &iniPath,
                                 QObject *parent)
    : QObject(parent), m_files(iniPath) {
    for (int i = 0; i < RecentFiles::kMaxFiles; ++i) {
        auto *entry = new QAction(menu);
        entry->setObjectName(QStringLiteral("miOstatniPlik%1").arg(i + 1));
        menu->insertAction(before, entry);
        connect(entry, &QAction::triggered, this, [this, i] {
            if (i < m_files.files().size())
                emit openRequested(m_files.files()[i]);
        });
        m_entries.append(entry);
    }
    m_separator = new QAction(menu);
    m_separator->setSeparator(true);
    menu->insertAction(before, m_separator);
    m_files.load();
    refresh();
}

void RecentFilesMenu::add(const QString &path) {
    m_files.add(path);
    m_files.save();
    refresh();
}

void RecentFilesMenu::remove(const QString &path) {
    m_files.remove(path);
    m_files.save();
    refresh();
}

void RecentFilesMenu::refresh() {
    const QStringList &files = m_files.files();
    for (int i = 0; i < m_entries.size(); ++i) {
        m_entries[i]->setVisible(i < files.size());
        if (i < files.size()) {
            m_entries[i]->setText(entryText(i + 1, files[i]));
            m_entries[i]->setStatusTip(QDir::toNativeSeparators(files[i]));
        }
    }
    m_separator->setVisible(!files.isEmpty());
}

} // namespace korven
