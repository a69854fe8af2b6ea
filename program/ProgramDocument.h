#pragma once

#include "DriveSettings.h"
#include "ProgramEditor.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace korven {

// The program the window works on: its lines with the selection, the drive settings,
// the last compilation, the file it belongs to and whether it changed since then.
class ProgramDocument : public QObject {
    Q_OBJECT
public:
    // What an undo step restores.
    struct State {
        QStringList lines;
        // The lines' identities, so that what follows a line survives undo and redo.
        QList<quint64> lineIds;
        int selected = -1;
        DriveSettings drive;
        QString driverText;
        // Lines in the selected run from selected on.
        int selectedCount = 1;
        bool sameProgram(const State &other) const;
    };

    explicit ProgramDocument(QObject *parent = nullptr) : QObject(parent) {}

    ProgramEditor &editor() { return m_editor; }
    const QStringList &lines() const { return m_editor.lines(); }
    int selected() const { return m_editor.GetSelected(); }
    // Lines in the selected run, 0 when nothing is selected.
    int selectedCount() const { return m_editor.selectionCount(); }

    const DriveSettings &drive() const { return m_drive; }
    // The settings with the status-bar text that names them.
    void setDrive(const DriveSettings &drive, const QString &driverText);
    const QString &driverText() const { return m_driverText; }

    // The last compilation: the image (empty after an error), its length and the error.
    void setCompiled(const QStringList &image, int length, const QString &error);
    const QStringList &image() const { return m_image; }
    int imageLength() const { return m_imageLength; }
    const QString &compileError() const { return m_compileError; }
    bool imageValid() const { return m_compileError.isEmpty(); }

    const QString &fileName() const { return m_fileName; }
    void setFileName(const QString &fileName) { m_fileName = fileName; }

    bool isModified() const { return m_modified; }
    void setModified(bool modified);

    State state() const;
    // Puts lines, selection and drive back; the caller compiles again.
    void restore(const State &state);

signals:
    void modifiedChanged(bool modified);

private:
    ProgramEditor m_editor;
    DriveSettings m_drive;
    QString m_driverText;
    QStringList m_image;
    int m_imageLength = 0;
    QString m_compileError;
    QString m_fileName;
    bool m_modified = false;
};

} // namespace korven
