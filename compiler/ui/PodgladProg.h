#pragma once

#include <QStringList>
#include <QWidget>

class QPlainTextEdit;

namespace korven {

// The program preview: shows the compiled program image, which the program document holds.
class TProgForm : public QWidget {
    Q_OBJECT
public:
    explicit TProgForm(QWidget *parent = nullptr);

    QPlainTextEdit *prg;

    void setImage(const QStringList &image);
};

} // namespace korven
