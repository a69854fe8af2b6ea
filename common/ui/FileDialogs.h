#pragma once

#include <QFileIconProvider>
#include <QString>

#include <memory>

class QFileDialog;
class QWidget;

namespace korven::ui {

// Icons and type names from a file's name and kind alone. Qt's own provider reads a file
// to guess its type, on the window's thread when the dialog selects a path: a pseudo-file
// whose read blocks (in /proc, a FIFO) would freeze the window for good.
class PlainFileIconProvider : public QFileIconProvider {
public:
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo &info) const override;
    QString type(const QFileInfo &info) const override;
};

struct FileRequest {
    QString caption;
    QString filter;
    QString defaultSuffix; // empty: none
    QString folder;
    QString name; // selected at the start; empty: none
    bool save = false;
};

// The program's file dialog: Qt's own widgets with the plain icon provider.
std::unique_ptr<QFileDialog> fileDialog(QWidget *parent, const FileRequest &request);
// Shows it modally; the chosen file, or empty when cancelled.
QString askFileName(QWidget *parent, const FileRequest &request);

} // namespace korven::ui
