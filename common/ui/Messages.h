#pragma once

#include <QString>

class QWidget;

namespace korven::ui {

// A modal message box with the caption "KORVEN", no icon and one OK button.
void showMessage(QWidget *parent, const QString &text);

// A Yes/No question with the caption "Potwierdź"; true for Yes.
bool askYesNo(QWidget *parent, const QString &text, bool yesIsDefault);

enum class Answer { Yes, No, Cancel };
// A Yes/No/Cancel question with the caption "Potwierdź", Yes being the default and
// Esc or closing the box cancelling.
Answer askYesNoCancel(QWidget *parent, const QString &text);

} // namespace korven::ui
