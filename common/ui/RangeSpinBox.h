#pragma once

#include <QSpinBox>

#include <optional>

class QLabel;

namespace korven::ui {

// An integer field that shows every character typed, also beyond its range, and clamps
// the value only when it is taken (the focus leaves, Enter, a read). It remembers that it
// clamped, so that a dialog can refuse to close on a value the user has not seen.
class RangeSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit RangeSpinBox(QWidget *parent = nullptr);

    // What an empty field (or a sign alone) stands for; the minimum unless set.
    void setBlankValue(std::optional<int> value) { m_blankValue = value; }
    // Shows a value as if typed: one beyond the range stays as it is until it is taken.
    void setTypedValue(qint64 value);
    // True once when the last value taken was clamped from what the user typed.
    bool takeClamped();
    // The range as the value dialog shows it: "(%d .. %d)".
    QString rangeText() const;
    // Where the range text is shown, and highlighted when a typed value was clamped.
    void setRangeLabel(QLabel *label) { m_rangeLabel = label; }
    // Takes the typed value for a confirmation: false, with the clamped value shown and the
    // range highlighted, when it was beyond the range; the user then confirms again.
    bool confirm();

signals:
    // A typed value beyond the range was replaced by the nearest bound.
    void clamped();

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    int valueFromText(const QString &text) const override;
    void showEvent(QShowEvent *event) override;

private:
    void highlightRange();
    qint64 taken(const QString &text) const;

    mutable bool m_clamped = false;
    QString m_typed; // shown once the field is visible: showing resets the text
    QLabel *m_rangeLabel = nullptr;
    std::optional<int> m_blankValue;
};

} // namespace korven::ui
