#include "ProgramEditor.h"

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
    m_selected = -1;
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
    m_selected = -1;
}

void ProgramEditor::clear() {
    m_lines.clear();
    m_ids.clear();
    m_selected = -1;
}

void ProgramEditor::setSelected(int index) {
    m_selected = (index >= 0 && index < m_lines.size()) ? index : -1;
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
        m_lines[index] = formatLine(index + 1, body);
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
    const int s = m_selected;
    m_lines[n - 1] = formatLine(n, body);
    m_lines.append(formatLine(n + 1, kEnd));
    // The end line keeps its identity; the new command is a new line before it.
    m_ids.insert(n - 1, newLineId());
    if (s == -1 || s >= n - 2) {
        if (s != -1)
            m_selected = n - 1;
        return true;
    }
    // The new line climbs to just after the selection, one place at a time, each step
    // mapping the jump targets by the numbers the lines carry. A loosely numbered list
    // (a loaded file) takes its first step alone; with the numbers equal to the
    // positions all steps compose into one mapping.
    int from = n - 1;
    if (!numberedInOrder()) {
        swapAndRenumber(n - 2, n - 1, n - 2);
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
    m_selected = to;
}

bool ProgramEditor::canMoveUp() const {
    const int i = m_selected;
    return i > 0 && !(i == m_lines.size() - 1 && m_lines[i].contains(kEnd));
}

bool ProgramEditor::canMoveDown() const {
    const int i = m_selected;
    const int last = int(m_lines.size()) - 1;
    return i >= 0 && i < last && !(i == last - 1 && m_lines[last].contains(kEnd));
}

bool ProgramEditor::canDelete() const { return m_selected >= 0 && m_selected < m_lines.size() - 1; }

void ProgramEditor::swapAndRenumber(int a, int b, int newSelection) {
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
    m_selected = newSelection;
}

bool ProgramEditor::moveUp() {
    if (!canMoveUp())
        return false;
    swapAndRenumber(m_selected - 1, m_selected, m_selected - 1);
    return true;
}

bool ProgramEditor::moveDown() {
    if (!canMoveDown())
        return false;
    swapAndRenumber(m_selected, m_selected + 1, m_selected + 1);
    return true;
}

bool ProgramEditor::deleteSelected() {
    if (!canDelete())
        return false;
    const int removed = m_selected;
    const int count = int(m_lines.size());
    const bool inOrder = numberedInOrder();
    m_lines.removeAt(removed);
    m_ids.removeAt(removed);
    m_selected = -1;
    if (inOrder) {
        // The deleted line's number keeps designating the line that followed it; numbers
        // beyond the list stay as they are.
        remapJumpTargets([&](int t) { return t > removed + 1 && t <= count ? t - 1 : t; });
        Przenumeruj(removed);
    } else {
        PrzenumerujSkoki();
        Przenumeruj();
    }
    return true;
}

} // namespace korven
