#include "ComPortSettings.h"

#include "PortSearch.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace korven {
namespace {
const int kEmulatorRole = Qt::UserRole + 1;
const int kMissingRole = Qt::UserRole + 2;
} // namespace

TComSettingsFrm::TComSettingsFrm(const QString &currentPort, const QList<PortEntry> &ports,
                                 bool offerEmulator, bool emulatorCurrent, const PortSettings &line,
                                 QWidget *parent)
    : ui::DialogBase(parent), m_line(line) {
    setWindowTitle(QStringLiteral("Wybór portu"));
    auto *group = new QGroupBox(QStringLiteral("Wybór portu"), this);
    Combo1 = new QComboBox(group);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo1->setMinimumContentsLength(10);
    const QList<PortEntry> listed = PortCatalog::withCurrent(ports, currentPort);
    int widest = 0;
    for (const PortEntry &entry : listed) {
        const QString details = entry.missing ? QStringLiteral("brak w systemie") : entry.details;
        const QString text =
            details.isEmpty() ? entry.name : QStringLiteral("%1  (%2)").arg(entry.name, details);
        Combo1->addItem(text, entry.name);
        Combo1->setItemData(Combo1->count() - 1, text, Qt::ToolTipRole);
        Combo1->setItemData(Combo1->count() - 1, entry.missing, kMissingRole);
        widest = qMax(widest, Combo1->fontMetrics().horizontalAdvance(text));
    }
    if (offerEmulator) {
        Combo1->addItem(emulatorText(), QString());
        Combo1->setItemData(Combo1->count() - 1, true, kEmulatorRole);
        widest = qMax(widest, Combo1->fontMetrics().horizontalAdvance(emulatorText()));
    }
    // The list opens as wide as its longest entry; the closed field shows the start.
    Combo1->view()->setMinimumWidth(widest + 40);
    // A port that is gone is listed, so the user sees what it was, but never pre-selected.
    const int current = PortCatalog::indexOf(listed, currentPort);
    Combo1->setCurrentIndex(emulatorCurrent && offerEmulator           ? Combo1->count() - 1
                            : current >= 0 && !listed[current].missing ? current
                                                                       : -1);
    bbtnSzukaj = new QPushButton(QStringLiteral("Szukaj mikroindeksera"), group);
    bbtnSzukaj->setObjectName(QStringLiteral("bbtnSzukaj"));
    bbtnSzukaj->setAutoDefault(false);
    lblWynik = new QLabel(group);
    lblWynik->setObjectName(QStringLiteral("lblWynik"));
    lblWynik->setWordWrap(true);
    lblWynik->hide(); // until a search has something to say
    auto *grid = new QGridLayout(group);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(3);
    grid->addWidget(new QLabel(QStringLiteral("Port"), group), 0, 0);
    grid->addWidget(Combo1, 0, 1);
    grid->addWidget(bbtnSzukaj, 1, 0, 1, 2);
    grid->addWidget(lblWynik, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    content()->addWidget(group);
    layout()->setContentsMargins(6, 4, 6, 6);
    layout()->setSpacing(4);
    connect(bbtnSzukaj, &QPushButton::clicked, this, &TComSettingsFrm::bbtnSzukajClick);
}

void TComSettingsFrm::fitToCaption() {
    // The classic client area, grown only where the content needs more.
    layout()->activate();
    const int width = qMax(231, minimumSizeHint().width());
    const int height =
        layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width) : sizeHint().height();
    setFixedSize(width, qMax(120, height));
}

std::optional<PortChoice> TComSettingsFrm::choice() const {
    const int index = Combo1->currentIndex();
    if (index < 0)
        return std::nullopt;
    if (Combo1->itemData(index, kEmulatorRole).toBool())
        return PortChoice{QString(), true};
    return PortChoice{Combo1->itemData(index).toString(), false};
}

QStringList TComSettingsFrm::searchablePorts() const {
    QStringList ports;
    for (int i = 0; i < Combo1->count(); ++i)
        if (!Combo1->itemData(i, kEmulatorRole).toBool() &&
            !Combo1->itemData(i, kMissingRole).toBool())
            ports.append(Combo1->itemData(i).toString());
    return ports;
}

void TComSettingsFrm::bbtnSzukajClick() {
    const QStringList ports = searchablePorts();
    lblWynik->show();
    if (ports.isEmpty()) {
        lblWynik->setText(QStringLiteral("Brak portów szeregowych"));
        fitToCaption();
        return;
    }
    for (QWidget *w : {static_cast<QWidget *>(Combo1), static_cast<QWidget *>(bbtnSzukaj),
                       static_cast<QWidget *>(bbtnOK()), static_cast<QWidget *>(bbtnCancel())})
        w->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PortSearch::Result result =
        PortSearch::find(ports, m_line, [this](int index, int count, const QString &port) {
            lblWynik->setText(
                QStringLiteral("Sprawdzam %1 z %2: %3").arg(index + 1).arg(count).arg(port));
            lblWynik->setToolTip(port);
            fitToCaption();
            repaint();
        });
    QApplication::restoreOverrideCursor();
    for (QWidget *w : {static_cast<QWidget *>(Combo1), static_cast<QWidget *>(bbtnSzukaj),
                       static_cast<QWidget *>(bbtnOK()), static_cast<QWidget *>(bbtnCancel())})
        w->setEnabled(true);
    if (!result.found()) {
        lblWynik->setText(QStringLiteral("Mikroindekser nie odpowiada na żadnym porcie"));
        lblWynik->setToolTip(
            QStringLiteral("Sprawdzono: %1").arg(ports.join(QStringLiteral(", "))));
        fitToCaption();
        return;
    }
    Combo1->setCurrentIndex(Combo1->findData(result.port));
    lblWynik->setText(QStringLiteral("Znaleziono: %1").arg(result.port));
    lblWynik->setToolTip(result.answer);
    fitToCaption();
}

} // namespace korven
