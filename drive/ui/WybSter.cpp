#include "WybSter.h"

#include "Messages.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace korven {

TWybSterForm::TWybSterForm(const QString &iniPath, QWidget *parent)
    : ui::DialogBase(parent), m_iniPath(iniPath) {
    setWindowTitle(QStringLiteral("Wybór sterownika"));
    cbSterownik = new QComboBox(this);
    cbGlPodKrok = new QComboBox(this);
    content()->addWidget(new QLabel(QStringLiteral("Sterownik"), this));
    content()->addWidget(cbSterownik);
    content()->addWidget(new QLabel(QStringLiteral("Głębokość podziału mikrokrokowego:"), this));
    content()->addWidget(cbGlPodKrok);
    cbSterownik->addItems(m_selection.modelNames());
    showSelection();
    connect(cbSterownik, &QComboBox::activated, this, &TWybSterForm::cbSterownikChange);
    connect(cbGlPodKrok, &QComboBox::activated, this, &TWybSterForm::cbGlPodKrokChange);
    setMinimumWidth(260);
}

void TWybSterForm::showSelection() {
    m_filling = true;
    cbSterownik->setCurrentIndex(m_selection.modelIndex());
    cbGlPodKrok->clear();
    cbGlPodKrok->addItems(m_selection.depthEntries());
    cbGlPodKrok->setCurrentIndex(m_selection.depthIndex());
    m_filling = false;
}

void TWybSterForm::OdczytajUstawienia() {
    m_selection.OdczytajUstawienia(m_iniPath);
    showSelection();
}

void TWybSterForm::showIndexes(int modelIndex, int depthIndex) {
    m_selection.applyIndexes(modelIndex, depthIndex);
    showSelection();
}

void TWybSterForm::cbSterownikChange(int index) {
    m_selection.setModelIndex(index);
    m_selection.cbSterownikChange();
    showSelection();
}

void TWybSterForm::cbGlPodKrokChange(int index) {
    m_selection.setDepthIndex(index);
    m_selection.cbGlPodKrokChange();
}

void TWybSterForm::bbtnOKClick() {
    if (!m_selection.ZapiszUstawienia(m_iniPath))
        ui::showMessage(this,
                        QStringLiteral("Nie można zapisać ustawień w pliku %1.").arg(m_iniPath));
    accept();
}

} // namespace korven
