#pragma once

#include "DialogBase.h"

class QLabel;
class QLineEdit;

namespace korven {

// The comment of one program line. A comment that may not stand in a line is refused
// with the reason, and the dialog stays open; an empty one removes the comment.
class TedKomentarzForm : public ui::DialogBase {
    Q_OBJECT
public:
    // line: the program line without its comment, shown above the field.
    TedKomentarzForm(const QString &line, const QString &comment, QWidget *parent = nullptr);

    QLabel *lblLinia;
    QLineEdit *edKomentarz;

    QString comment() const;

protected:
    void bbtnOKClick() override;
};

} // namespace korven
