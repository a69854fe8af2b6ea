#include "FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>

namespace korven::ui {

QIcon PlainFileIconProvider::icon(const QFileInfo &info) const {
    if (info.isRoot())
        return icon(Drive);
    return icon(info.isDir() ? Folder : File);
}

QString PlainFileIconProvider::type(const QFileInfo &info) const {
    if (info.isDir())
        return QStringLiteral("Folder");
    const QMimeType mime =
        QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    return mime.comment().isEmpty() ? mime.name() : mime.comment();
}

std::unique_ptr<QFileDialog> fileDialog(QWidget *parent, const FileRequest &request) {
    auto dialog =
        std::make_unique<QFileDialog>(parent, request.caption, request.folder, request.filter);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    // One provider for the whole run, never destroyed: the dialogs' models and their
    // gatherer threads keep pointers to it, and it must not outlive the application object
    // in a static destructor either.
    static PlainFileIconProvider *const provider = new PlainFileIconProvider;
    dialog->setIconProvider(provider);
    dialog->setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (!request.save)
        dialog->setFileMode(QFileDialog::ExistingFile);
    if (!request.defaultSuffix.isEmpty())
        dialog->setDefaultSuffix(request.defaultSuffix);
    if (!request.name.isEmpty())
        dialog->selectFile(request.name);
    return dialog;
}

QString askFileName(QWidget *parent, const FileRequest &request) {
    const std::unique_ptr<QFileDialog> dialog = fileDialog(parent, request);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().first();
}

} // namespace korven::ui
