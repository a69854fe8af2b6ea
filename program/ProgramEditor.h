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

    // The selection is a run of consecutive lines; GetSelected is its first line.
    int GetSelected() const { return m_selected; }
    // Lines in the run, 0 when nothing is selected.
    int selectionCount() const { return m_selected < 0 ? 0 : m_count; }
    int selectionLast() const { return m_selected < 0 ? -1 : m_selected + m_count - 1; }
    // A run of one line; -1 or an index outside the list selects nothing.
    void setSelected(int index);
    // A run of count lines from first, cut at the end of the list.
    void setSelection(int first, int count);
    QStringList selectedLines() const { return m_lines.mid(m_selected, selectionCount()); }

    // Inserts body after the selection (its last line), keeping the final "Koniec" last.
    // Returns false when the command was dropped (the last line is not an end command).
    bool AddCmd(const QString &body);
    // Writes body into line index; the line keeps its comment.
    void EditCmd(const QString &body, int index);
    // Sets the comment of line index, an empty one removing it; false when there is no
    // such line or the comment may not stand in a line (commentProblem).
    bool setComment(int index, const QString &comment);

    // Moves and deletes act on the whole selected run, as the same single-line operations
    // one after the other would: targets of the jumps are renumbered alike. The final
    // "Koniec" can be neither moved nor deleted, nor can a run that holds it.
    bool canMoveUp() const;
    bool canMoveDown() const;
    bool canDelete() const;
    bool moveUp();
    bool moveDown();
    // Deletes the selected run (the caller has asked the user); no selection afterwards.
    bool deleteSelected();

    // A line to paste: its body (a comment included) and the number it carried where it
    // was copied, -1 when none.
    struct BlockLine {
        QString body;
        int number = -1;
    };
    // Adds the lines after the selected run, one after the other as AddCmd adds commands,
    // so that the program's jumps are renumbered as for added commands. A pasted jump to
    // the number of another pasted line follows that line; any other number means the line
    // that carried it before the paste, and follows that line as the program's jumps do.
    // Returns the number of lines added (0 when the last line is not an end command).
    // When a line was selected, the pasted lines are the new run.
    int paste(const QList<BlockLine> &block);

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
    // Exchanges two lines and renumbers as the single move does; the selection stays.
    void swapLines(int a, int b);
    // Removes a line and renumbers as the single delete does; the selection stays.
    void removeLine(int index);

    quint64 newLineId() { return ++m_lastId; }

    QStringList m_lines;
    QList<quint64> m_ids;
    quint64 m_lastId = 0;
    int m_selected = -1;
    int m_count = 0;
};

} // namespace korven
