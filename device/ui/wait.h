#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace korven {

// The transfer log of the test mode: one line per byte sent, kept for the whole run.
class TWaitForm : public QWidget {
    Q_OBJECT
public:
    explicit TWaitForm(QWidget *parent = nullptr);

    QLabel *lblInfo;
    QPlainTextEdit *log;
    QPushButton *btnBreak;

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool m_placed = false;
};

} // namespace korven
