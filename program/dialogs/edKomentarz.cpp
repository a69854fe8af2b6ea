#include "edKomentarz.h"

#include "LineComment.h"
#include "Messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace korven {

TedKomentarzForm::TedKomentarzForm(const QString &line, const QString &comment, QWidget *parent)
    : ui::DialogBase(parent) {
    setWindowTitle(QStringLiteral("Komentarz"));
    lblLinia = new QLabel(line, this);
    lblLinia->setTextFormat(Qt::PlainText);
    edKomentarz = new QLineEdit(comment, this);
    edKomentarz->setMinimumWidth(360);
    edKomentarz->setPlaceholderText(QStringLiteral("pusty komentarz usuwa komentarz linii"));
    content()->addWidget(lblLinia);
    content()->addWidget(edKomentarz);
    auto *rule = new QLabel(
        QStringLiteral("Bez nawiasów „(”, „)” i bez nazw poleceń (np. „Stop”, „Koniec”)."), this);
    rule->setEnabled(false);
    content()->addWidget(rule);
    edKomentarz->setFocus();
}

QString TedKomentarzForm::comment() const { return edKomentarz->text().trimmed(); }

void TedKomentarzForm::bbtnOKClick() {
    if (const QString problem = commentProblem(comment()); !problem.isEmpty()) {
        ui::showMessage(this, problem);
        edKomentarz->setFocus();
        return;
    }
    accept();
}

} // namespace korven
