#pragma once

#include <QDialog>

class QHBoxLayout;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace korven::ui {

// A modal dialog with "&OK" (the default button) and "&Anuluj" under its content.
// Enter anywhere accepts through the OK handler, Esc cancels.
class DialogBase : public QDialog {
    Q_OBJECT
public:
    explicit DialogBase(QWidget *parent = nullptr);

    QPushButton *bbtnOK() const { return m_ok; }
    QPushButton *bbtnCancel() const { return m_cancel; }

    void setVisible(bool visible) override;
    // Fixes the size: the content's, widened so that the title bar shows the whole caption.
    virtual void fitToCaption();
    // The width a title bar needs for this caption, its icon and its close button.
    static int captionWidth(const QString &caption);

protected:
    // Where subclasses put their controls, above the buttons.
    QVBoxLayout *content() const { return m_content; }
    // The "On" / "Off" pair of radio buttons, "On" chosen, side by side.
    QHBoxLayout *onOffButtons(QRadioButton **on, QRadioButton **off);
    // Runs on OK and Enter; the default accepts.
    virtual void bbtnOKClick();
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QVBoxLayout *m_content;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};

} // namespace korven::ui
