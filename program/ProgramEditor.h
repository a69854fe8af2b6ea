#pragma once

#include <QHash>
#include <QList>
#include <QStringList>

namespace korven {

// Structural editing of the program list with its single selection. The lines are
// the program; nothing else is kept. Each operation leaves the number fields equal
// to the positions (except AddCmd without moves and a freshly loaded list, which are
// taken as they stand) and renumbers the targets of all three jumps.
class ProgramEditor {
public:
    const QStringList &lines() const { return m_lines; }
    // New lines, each with an identity of its own.
    void setLines(const QStringList &lines);
    // Lines with the identities they had before (an undo step); ids as many as lines.
    void setLines(const QStringList &lines, const QList<quint64> &ids);
    void clear();

    // Every line has an identity that stays with it while it is edited or moved, so that
    // what is attached to a line (a breakpoint, a mark) can follow it. Added lines get new
    // identities; a deleted line's identity is gone.
    quint64 lineId(int index) const { return m_ids.value(index); }
    const QList<quint64> &lineIds() const { return m_ids; }
    // The index of the line with that identity, -1 when no line has it.
    int indexOfLineId(quint64 id) const { return int(m_ids.indexOf(id)); }

    int GetSelected() const { return m_selected; }
    void setSelected(int index);

    // Inserts body after the selection, keeping the final "Koniec" last.
    // Returns false when the command was dropped (the last line is not an end command).
    bool AddCmd(const QString &body);
    void EditCmd(const QString &body, int index);

    bool canMoveUp() const;
    bool canMoveDown() const;
    bool canDelete() const;
    bool moveUp();
    bool moveDown();
    // Deletes the selected line (the caller has asked the user); no selection afterwards.
    bool deleteSelected();

    // 1-based position of the first line whose number field is number, else 0.
    int ZnajdzNowyNrLinii(int number) const;

    // The number of a line ("012: ..." gives 12), -1 when it has no number field,
    // kNoPosition when the number is too large for any position.
    static int lineNumber(const QString &line);
    static constexpr int kNoPosition = -2;
    // The line without its number field and separator.
    static QString lineBody(const QString &line);

private:
    void PrzenumerujSkoki();
    // Rewrites the number fields of lines from .. to (-1: to the end) to their positions.
    void Przenumeruj(int from = 0, int to = -1);
    // Length of the digits before ": " at the start of line, 0 when there is none.
    static qsizetype numberFieldLength(const QString &line);
    bool numberedAt(int index) const;
    bool numberedInOrder() const;
    void moveNumbered(int from, int to);
    template <typename Map> void remapJumpTargets(Map targetOf);
    void swapAndRenumber(int a, int b, int newSelection);

    quint64 newLineId() { return ++m_lastId; }

    QStringList m_lines;
    QList<quint64> m_ids;
    quint64 m_lastId = 0;
    int m_selected = -1;
};

} // namespace korven
