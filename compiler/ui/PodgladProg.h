#pragma once

#include <QStringList>
#include <QWidget>

class QPlainTextEdit;

namespace korven {

// The program preview: holds the compiled program image and shows it.
class TProgForm : public QWidget {
    Q_OBJECT
public:
    explicit TProgForm(QWidget *parent = nullptr);

    QPlainTextEdit *prg;

    const QStringList &image() const { return m_image; }
    void setImage(const QStringList &image);

private:
    QStringList m_image;
};

} // namespace korven
