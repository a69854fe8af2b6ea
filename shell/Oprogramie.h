#pragma once

#include <QDialog>

class QLabel;

namespace korven {

// The about box.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget *parent = nullptr);

    QLabel *lblVersion;

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace korven
