#pragma once

// Answers a file dialog as the user does: types the name and accepts.

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

inline void chooseFile(QWidget *w, const QString &path) {
    auto *dialog = qobject_cast<QFileDialog *>(w);
    QVERIFY(dialog);
    dialog->setDirectory(QFileInfo(path).absolutePath());
    // What the user types into the name field (selectFile leaves a focused field alone).
    auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->setText(QFileInfo(path).fileName());
    static_cast<QDialog *>(dialog)->accept();
}
