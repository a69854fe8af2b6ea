#include "edV.h"

#include "Messages.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace korven {

TedVForm::TedVForm(QWidget *parent) : ui::DialogBase(parent) {
    edIlKrokow = new QLineEdit(this);
    edIlObrotow = new QLineEdit(this);
    lblZakresKrokow = new QLabel(this);
    lblZakresObrotow = new QLabel(this);
    lblWMikroindekserze = new QLabel(this);
    lblWMikroindekserze->setToolTip(
        QStringLiteral("Prędkość, którą wykona mikroindekser: jego rejestr prędkości "
                       "przeliczony z powrotem na kroki/s"));
    cbPredkoscPrec = new QComboBox(this);
    for (int i = 0; i <= 15; ++i)
        cbPredkoscPrec->addItem(QString::number(i));
    auto *grid = new QGridLayout;
    grid->addWidget(edIlKrokow, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("kroków/s"), this), 0, 1);
    grid->addWidget(lblZakresKrokow, 1, 0, 1, 2);
    grid->addWidget(lblWMikroindekserze, 2, 0, 1, 2);
    grid->addWidget(edIlObrotow, 3, 0);
    grid->addWidget(new QLabel(QStringLiteral("obrotów/s"), this), 3, 1);
    grid->addWidget(lblZakresObrotow, 4, 0, 1, 2);
    content()->addLayout(grid);
    m_precision = new QWidget(this);
    auto *precision = new QGridLayout(m_precision);
    precision->setContentsMargins(0, 0, 0, 0);
    precision->addWidget(cbPredkoscPrec, 0, 0, 2, 1);
    precision->addWidget(new QLabel(QStringLiteral("prędkość precyzowania"), m_precision), 0, 1);
    precision->addWidget(new QLabel(QStringLiteral("pozycji"), m_precision), 1, 1);
    content()->addWidget(m_precision);
    connect(edIlKrokow, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_entry)
            lblWMikroindekserze->setText(m_entry->deviceText(text));
    });
    connect(edIlObrotow, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (m_entry)
            lblWMikroindekserze->setText(m_entry->deviceTextFromRevolutions(text));
    });
    edIlKrokow->installEventFilter(this);
    edIlObrotow->installEventFilter(this);
    edIlKrokow->setFocus();
}

void TedVForm::Ustaw(bool isSigned, bool withPrecision, const DriveSettings &drive) {
    m_entry = std::make_unique<SpeedEntry>(isSigned, drive.PulsDiv, drive.Vmax, drive.GlPodz);
    lblZakresKrokow->setText(m_entry->stepsRangeText());
    lblZakresObrotow->setText(m_entry->revolutionsRangeText());
    lblWMikroindekserze->setText(m_entry->deviceText(edIlKrokow->text()));
    m_precision->setVisible(withPrecision);
    adjustSize();
}

void TedVForm::apply(const SpeedEntry::Result &r) {
    edIlKrokow->setText(r.steps);
    edIlObrotow->setText(r.revolutions);
    if (!r.message.isEmpty())
        ui::showMessage(this, r.message);
}

void TedVForm::edIlKrokowExit() {
    apply(m_entry->leaveSteps(edIlKrokow->text(), edIlObrotow->text()));
}

void TedVForm::edIlObrotowExit() {
    apply(m_entry->leaveRevolutions(edIlKrokow->text(), edIlObrotow->text()));
}

bool TedVForm::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusOut && m_entry && isVisible()) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // Focus lost to a message box of our own or to another window is no leaving.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == edIlKrokow)
                edIlKrokowExit();
            else if (watched == edIlObrotow)
                edIlObrotowExit();
        }
    }
    return ui::DialogBase::eventFilter(watched, event);
}

void TedVForm::bbtnOKClick() {
    const SpeedEntry::Acceptance a = m_entry->accept(edIlKrokow->text());
    edIlKrokow->setText(a.steps);
    if (!a.ok) {
        ui::showMessage(this, a.message);
        return;
    }
    accept();
}

} // namespace korven
