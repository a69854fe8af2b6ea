#include "ProgramEditor.h"

#include "LineComment.h"
#include "Numbers.h"
#include "ProgramLine.h"

#include <climits>

namespace korven {
namespace {

const QString kEnd = QStringLiteral("Koniec");

bool isJump(const QString &line) {
    static const QList<Command> jumps = [] {
        QList<Command> rows;
        for (const Command c : compileOrder()) {
            if (commandRow(c).jump)
                rows.append(c);
        }
        return rows;
    }();
    return recognise(line, jumps) != Command::None;
}

// The jump target when the first field holds it in canonical "%d" form; the target is
// rewritten only then, so a hand-made field never gets another field replaced.
bool canonicalTarget(const QString &line, int *target) {
    const Field field = GetValue(line);
    if (!field.present)
        return false;
    bool ok = false;
    const qint64 t = parseInteger(field.text, &ok);
    if (!ok || t < INT_MIN || t > INT_MAX || QString::number(t) != field.text)
        return false;
    *target = int(t);
    return true;
}

QString withTarget(const QString &line, int target) {
    const qsizetype open = line.indexOf(QLatin1Char('('));
    const qsizetype close = line.indexOf(QLatin1Char(')'));
    QString result = line;
    result.replace(open + 1, close - open - 1, QString::number(target));
    return result;
}

} // namespace

void ProgramEditor::setLines(const QStringList &lines) {
    m_lines = lines;
    m_ids.clear();
    m_ids.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        m_ids.append(newLineId());
    setSelected(-1);
}

void ProgramEditor::setLines(const QStringList &lines, const QList<quint64> &ids) {
    if (ids.size() != lines.size()) {
        setLines(lines);
        return;
    }
    m_lines = lines;
    m_ids = ids;
    for (const quint64 id : ids)
        m_lastId = qMax(m_lastId, id);
    setSelected(-1);
}

void ProgramEditor::clear() {
    m_lines.clear();
    m_ids.clear();
    setSelected(-1);
}

void ProgramEditor::setSelected(int index) { setSelection(index, 1); }

void ProgramEditor::setSelection(int first, int count) {
    if (first < 0 || first >= m_lines.size() || count < 1) {
        m_selected = -1;
        m_count = 0;
        return;
    }
    m_selected = first;
    m_count = qMin(count, int(m_lines.size()) - first);
}

qsizetype ProgramEditor::numberFieldLength(const QString &line) {
    // Digits of any count up to ": ".
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n && line[i] >= QLatin1Char('0') && line[i] <= QLatin1Char('9'))
        ++i;
    if (i == 0 || i + 1 >= n || line[i] != QLatin1Char(':') || line[i + 1] != QLatin1Char(' '))
        return 0;
    return i;
}

int ProgramEditor::lineNumber(const QString &line) {
    const qsizetype digits = numberFieldLength(line);
    if (digits == 0)
        return -1;
    qint64 number = 0;
    for (qsizetype i = 0; i < digits; ++i) {
        number = number * 10 + (line[i].unicode() - '0');
        if (number > INT_MAX)
            return kNoPosition;
    }
    return int(number);
}

QString ProgramEditor::lineBody(const QString &line) {
    const qsizetype digits = numberFieldLength(line);
    return digits == 0 ? line : line.mid(digits + 2);
}

int ProgramEditor::ZnajdzNowyNrLinii(int number) const {
    if (number < 0)
        return 0;
    for (int i = 0; i < m_lines.size(); ++i) {
        if (lineNumber(m_lines[i]) == number)
            return i + 1;
    }
    return 0;
}

template <typename Map> void ProgramEditor::remapJumpTargets(Map targetOf) {
    for (QString &line : m_lines) {
        int t = 0;
        if (!isJump(line) || !canonicalTarget(line, &t))
            continue;
        const int p = targetOf(t);
        if (p != 0 && p != t)
            line = withTarget(line, p);
    }
}

// Maps every jump target to where the line that carried that number now stands.
// Runs while the lines still carry their numbers from before the change.
void ProgramEditor::PrzenumerujSkoki() {
    QHash<int, int> firstPosition;
    firstPosition.reserve(m_lines.size());
    for (int i = 0; i < m_lines.size(); ++i) {
        const int number = lineNumber(m_lines[i]);
        if (number >= 0 && !firstPosition.contains(number))
            firstPosition.insert(number, i + 1);
    }
    remapJumpTargets([&](int t) { return firstPosition.value(t, 0); });
}

void ProgramEditor::Przenumeruj(int from, int to) {
    const int last = to < 0 ? int(m_lines.size()) - 1 : qMin(to, int(m_lines.size()) - 1);
    for (int i = from; i <= last; ++i) {
        if (!numberedAt(i))
            m_lines[i] = formatLine(i + 1, lineBody(m_lines[i]));
    }
}

void ProgramEditor::EditCmd(const QString &body, int index) {
    if (index >= 0 && index < m_lines.size())
        m_lines[index] = withComment(formatLine(index + 1, body), lineComment(m_lines[index]));
}

bool ProgramEditor::setComment(int index, const QString &comment) {
    if (index < 0 || index >= m_lines.size() || !commentProblem(comment).isEmpty())
        return false;
    m_lines[index] = withComment(withoutComment(m_lines[index]), comment);
    return true;
}

bool ProgramEditor::AddCmd(const QString &body) {
    if (m_lines.isEmpty()) {
        m_lines.append(formatLine(1, body));
        m_ids.append(newLineId());
        return true;
    }
    if (!m_lines.last().contains(kEnd))
        return false;
    const int n = int(m_lines.size());
    const int s = selectionLast(); // after the whole run
    // The end line's comment stays with the end line, as its identity does.
    const QString endComment = lineComment(m_lines[n - 1]);
    m_lines[n - 1] = formatLine(n, body);
    m_lines.append(withComment(formatLine(n + 1, kEnd), endComment));
    // The end line keeps its identity; the new command is a new line before it.
    m_ids.insert(n - 1, newLineId());
    if (s == -1 || s >= n - 2) {
        if (s != -1)
            setSelected(n - 1);
        return true;
    }
    // The new line climbs to just after the selection, one place at a time, each step
    // mapping the jump targets by the numbers the lines carry. A loosely numbered list
    // (a loaded file) takes its first step alone; with the numbers equal to the
    // positions all steps compose into one mapping.
    int from = n - 1;
    if (!numberedInOrder()) {
        swapLines(n - 2, n - 1);
        from = n - 2;
    }
    moveNumbered(from, s + 1);
    return true;
}

// The line carries exactly the number field "%3.3d: " of its position.
bool ProgramEditor::numberedAt(int index) const {
    const QString &line = m_lines[index];
    const qsizetype digits = numberFieldLength(line);
    return lineNumber(line) == index + 1 && (digits == 3 || (digits > 3 && line[0] != '0'));
}

bool ProgramEditor::numberedInOrder() const {
    for (int i = 0; i < m_lines.size(); ++i) {
        if (!numberedAt(i))
            return false;
    }
    return true;
}

// Moves a line of a list numbered in order from index from up to index to: lines
// to .. from-1 move down by one, so targets of their numbers grow by one, and the
// moved line's number becomes to + 1.
void ProgramEditor::moveNumbered(int from, int to) {
    if (from > to) {
        remapJumpTargets([&](int t) {
            if (t >= to + 1 && t <= from)
                return t + 1;
            if (t == from + 1)
                return to + 1;
            return t;
        });
        m_lines.move(from, to);
        m_ids.move(from, to);
        Przenumeruj(to, from);
    }
    setSelected(to);
}

bool ProgramEditor::canMoveUp() const {
    const int last = selectionLast();
    return m_selected > 0 && !(last == m_lines.size() - 1 && m_lines[last].contains(kEnd));
}

bool ProgramEditor::canMoveDown() const {
    const int i = selectionLast();
    const int last = int(m_lines.size()) - 1;
    return i >= 0 && i < last && !(i == last - 1 && m_lines[last].contains(kEnd));
}

bool ProgramEditor::canDelete() const {
    return m_selected >= 0 && selectionLast() < m_lines.size() - 1;
}

void ProgramEditor::swapLines(int a, int b) {
    m_ids.swapItemsAt(a, b);
    if (numberedInOrder()) {
        // Numbers a+1 and b+1 trade places; nothing else moves.
        remapJumpTargets([&](int t) { return t == a + 1 ? b + 1 : t == b + 1 ? a + 1 : t; });
        m_lines.swapItemsAt(a, b);
        Przenumeruj(a, b);
    } else {
        m_lines.swapItemsAt(a, b);
        PrzenumerujSkoki();
        Przenumeruj();
    }
}

// A run moves as its lines would move one at a time, each past the line beside the run.
bool ProgramEditor::moveUp() {
    if (!canMoveUp())
        return false;
    const int first = m_selected, last = selectionLast();
    for (int i = first; i <= last; ++i)
        swapLines(i - 1, i);
    setSelection(first - 1, last - first + 1);
    return true;
}

bool ProgramEditor::moveDown() {
    if (!canMoveDown())
        return false;
    const int first = m_selected, last = selectionLast();
    for (int i = last; i >= first; --i)
        swapLines(i, i + 1);
    setSelection(first + 1, last - first + 1);
    return true;
}

void ProgramEditor::removeLine(int removed) {
    const int count = int(m_lines.size());
    const bool inOrder = numberedInOrder();
    m_lines.removeAt(removed);
    m_ids.removeAt(removed);
    if (inOrder) {
        // The deleted line's number keeps designating the line that followed it; numbers
        // beyond the list stay as they are.
        remapJumpTargets([&](int t) { return t > removed + 1 && t <= count ? t - 1 : t; });
        Przenumeruj(removed);
    } else {
        PrzenumerujSkoki();
        Przenumeruj();
    }
}

// A run goes as its lines would go one at a time: the targets of all of them pass to the
// line that followed the run.
bool ProgramEditor::deleteSelected() {
    if (!canDelete())
        return false;
    const int first = m_selected;
    for (int k = selectionCount(); k > 0; --k)
        removeLine(first);
    setSelected(-1);
    return true;
}

int ProgramEditor::paste(const QList<BlockLine> &block) {
    if (block.isEmpty() || (!m_lines.isEmpty() && !m_lines.last().contains(kEnd)))
        return 0;
    const QList<quint64> before = m_ids;
    const int n = int(before.size());
    QList<quint64> added;
    for (const BlockLine &line : block) {
        if (!AddCmd(line.body))
            break;
        added.append(m_lastId); // AddCmd gave the new line the latest identity
    }
    QHash<int, quint64> pastedByNumber;
    for (qsizetype i = 0; i < added.size(); ++i) {
        if (block[i].number >= 0 && !pastedByNumber.contains(block[i].number))
            pastedByNumber.insert(block[i].number, added[i]);
    }
    // The pasted jumps: to another pasted line, it follows the block; else the number
    // means the line that carried it here before the paste, mapped as the program's own
    // jumps were (the end line's number passing to the first added line).
    for (qsizetype i = 0; i < added.size(); ++i) {
        int t = 0;
        if (!isJump(block[i].body) || !canonicalTarget(block[i].body, &t))
            continue;
        int target = t;
        if (pastedByNumber.contains(t))
            target = indexOfLineId(pastedByNumber.value(t)) + 1;
        else if (t >= 1 && t < n)
            target = indexOfLineId(before[t - 1]) + 1;
        else if (t == n)
            target = indexOfLineId(added.first()) + 1;
        const int at = indexOfLineId(added[i]);
        m_lines[at] = withTarget(m_lines[at], target);
    }
    if (m_selected >= 0 && !added.isEmpty())
        setSelection(indexOfLineId(added.first()), int(added.size()));
    return int(added.size());
}

} // namespace korven
