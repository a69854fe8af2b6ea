// Editing sequences against a model in which every line has an identity and every jump
// refers to the identity of its target line: whatever is added, moved, deleted, edited,
// commented or pasted, alone or as a run of lines, each jump still designates the line it
// designated (a deleted target hands over to the line that followed the deleted lines), the
// comments stay with their lines, and the number fields equal the positions.
#include "FuzzCheck.h"
#include "LineComment.h"
#include "ProgramEditor.h"
#include "ProgramLine.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace korven;

namespace {

class Input {
public:
    Input(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}
    bool done() const { return m_at >= m_size; }
    int next(int n) { return n <= 0 ? 0 : (done() ? 0 : int(m_data[m_at++]) % n); }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

struct ModelLine {
    int id = 0;
    int jump = -1;        // -1: no jump; else the kind (0..2)
    bool toLine = false;  // target is a line identity, else a number matching no line
    int target = 0;       // the identity or the number
    QString plain;        // the body when the line is no jump
    QString comment;      // empty: none
    quint64 editorId = 0; // the identity the editor gave the line
};

const Command kJumps[] = {Command::Jump, Command::JumpIfInput, Command::JumpIfCounter};
// The last two may not stand in a line.
const char *const kComments[] = {"chwytak", "czeka na IN 3", "pętla # 2", "x (y)", "a Stop"};
constexpr int kValidComments = 3;

class Model {
public:
    QList<ModelLine> lines;
    int selected = -1;
    int count = 0; // lines in the selected run

    int last() const { return selected < 0 ? -1 : selected + count - 1; }
    void select(int first, int n) {
        selected = first;
        count = first < 0 ? 0 : n;
    }
    int positionOf(int id) const {
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].id == id)
                return i + 1;
        return 0;
    }
    QString command(const ModelLine &l, int target) const {
        return l.jump == 1 ? bodyJumpIfInput(target, 3, 1) : bodyInt(kJumps[l.jump], target);
    }
    QString body(const ModelLine &l) const {
        if (l.jump < 0)
            return withComment(l.plain, l.comment);
        return withComment(command(l, l.toLine ? positionOf(l.target) : l.target), l.comment);
    }
    // A number written into a line designates the line at that position, if any.
    void aim(ModelLine *l, int number) const {
        l->toLine = number >= 1 && number <= lines.size();
        l->target = l->toLine ? lines[number - 1].id : number;
    }
    // Numbers that came to designate a line (the list grew) now follow that line.
    void settle() {
        for (ModelLine &l : lines)
            if (l.jump >= 0 && !l.toLine)
                aim(&l, l.target);
    }
    bool endsWithEnd() const {
        return !lines.isEmpty() && body(lines.last()).contains(QLatin1String("Koniec"));
    }
};

int g_nextId = 0;

// A body drawn from the input; a jump gets a number, resolved by the caller.
ModelLine drawLine(Input &in, int lineCount, int *number) {
    static const char *const plain[] = {
        "Stop", "Hamuj", "Koniec", "Czekaj[ms](5)", "Ustaw wyjście(2)(1)", "Zeruj licznik pozycji"};
    ModelLine l;
    l.id = g_nextId++;
    const int kind = in.next(9);
    if (kind < 3) {
        l.jump = kind;
        *number = in.next(lineCount + 6) - 2; // a few numbers beyond the list too
        l.target = *number;                   // as written, until the caller resolves it
    } else {
        l.plain = QString::fromUtf8(plain[kind - 3]);
    }
    if (in.next(4) == 0)
        l.comment = QString::fromUtf8(kComments[in.next(kValidComments)]);
    return l;
}

void compare(const ProgramEditor &editor, const Model &model) {
    if (editor.lines().size() != model.lines.size() || [&] {
            for (int i = 0; i < model.lines.size(); ++i)
                if (editor.lines()[i] != formatLine(i + 1, model.body(model.lines[i])))
                    return true;
            return false;
        }()) {
        for (const QString &l : editor.lines())
            std::fprintf(stderr, "editor: %s\n", qPrintable(l));
        for (int i = 0; i < model.lines.size(); ++i)
            std::fprintf(stderr, "model:  %s\n",
                         qPrintable(formatLine(i + 1, model.body(model.lines[i]))));
    }
    KORVEN_FUZZ_CHECK(editor.lines().size() == model.lines.size());
    for (int i = 0; i < model.lines.size(); ++i)
        KORVEN_FUZZ_CHECK(editor.lines()[i] == formatLine(i + 1, model.body(model.lines[i])));
    KORVEN_FUZZ_CHECK(editor.GetSelected() == model.selected);
    KORVEN_FUZZ_CHECK(editor.selectionCount() == model.count);
    // The editor's line identities follow the lines through every operation.
    KORVEN_FUZZ_CHECK(editor.lineIds().size() == model.lines.size());
    for (int i = 0; i < model.lines.size(); ++i)
        KORVEN_FUZZ_CHECK(editor.lineId(i) == model.lines[i].editorId);
}

// The line the editor just added got an identity no other line has.
void takeNewEditorId(const ProgramEditor &editor, Model &model, int modelId) {
    const int at = model.positionOf(modelId) - 1;
    const quint64 fresh = editor.lineId(at);
    for (const ModelLine &l : model.lines)
        KORVEN_FUZZ_CHECK(l.editorId != fresh);
    model.lines[at].editorId = fresh;
}

// What AddCmd does to the model; false when the command is dropped. The added line's
// model identity in *id.
bool addToModel(Model &model, ModelLine added, int number, int *id) {
    if (!model.endsWithEnd())
        return false;
    const int size = int(model.lines.size());
    const int s = model.last();
    // The new command takes over the end line's identity and place; a new end line
    // follows; then the command climbs to just after the selection.
    const int oldEnd = model.lines.last().id;
    added.id = oldEnd;
    // The end line's identity in the editor stays with the end line.
    const quint64 endEditorId = model.lines.last().editorId;
    ModelLine newEnd;
    newEnd.comment = model.lines.last().comment;
    model.lines.last() = added;
    newEnd.id = g_nextId++;
    newEnd.plain = QStringLiteral("Koniec");
    newEnd.editorId = endEditorId;
    model.lines.append(newEnd);
    if (added.jump >= 0)
        model.aim(&model.lines[size - 1], number);
    if (s >= 0 && s < size - 2)
        model.lines.move(size - 1, s + 1);
    model.select(s < 0 ? -1 : (s >= size - 2 ? size - 1 : s + 1), 1);
    model.settle();
    *id = oldEnd;
    return true;
}

void paste(Input &in, ProgramEditor &editor, Model &model) {
    const int size = int(model.lines.size());
    const bool selected = model.selected >= 0;
    QList<ProgramEditor::BlockLine> block;
    QList<ModelLine> drawn;
    QList<int> numbers;
    const int k = 1 + in.next(4);
    const int firstNumber = in.next(size + 3); // where the block came from
    for (int j = 0; j < k; ++j) {
        int number = 0;
        ModelLine l = drawLine(in, size + k, &number);
        drawn.append(l);
        numbers.append(number);
        ModelLine written = l;
        written.toLine = false;
        block.append({model.body(written), firstNumber + j});
    }
    const QList<int> before = [&] {
        QList<int> ids;
        for (const ModelLine &l : model.lines)
            ids.append(l.id);
        return ids;
    }();
    QList<int> pasted;
    for (int j = 0; j < k; ++j) {
        int id = 0;
        if (!addToModel(model, drawn[j], 0, &id))
            break;
        pasted.append(id);
    }
    KORVEN_FUZZ_CHECK(editor.paste(block) == pasted.size());
    for (int j = 0; j < pasted.size(); ++j) {
        ModelLine &l = model.lines[model.positionOf(pasted[j]) - 1];
        if (l.jump < 0)
            continue;
        const int t = numbers[j];
        if (t >= firstNumber && t < firstNumber + k && t - firstNumber < pasted.size()) {
            l.toLine = true;
            l.target = pasted[t - firstNumber];
        } else if (t >= 1 && t <= size) {
            l.toLine = true;
            l.target = before[t - 1]; // the end line's identity went to the first pasted
        } else {
            l.toLine = false;
            l.target = t;
        }
    }
    model.settle();
    for (const int id : pasted)
        takeNewEditorId(editor, model, id);
    if (!pasted.isEmpty())
        model.select(selected ? model.positionOf(pasted.first()) - 1 : -1,
                     selected ? int(pasted.size()) : 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    Input in(data, size);
    Model model;
    const int n = 1 + in.next(30);
    QList<int> numbers;
    for (int i = 0; i < n; ++i) {
        int number = 0;
        model.lines.append(drawLine(in, n + 1, &number));
        numbers.append(number);
    }
    ModelLine end;
    end.id = g_nextId++;
    end.plain = QStringLiteral("Koniec");
    model.lines.append(end);
    for (int i = 0; i < n; ++i)
        if (model.lines[i].jump >= 0)
            model.aim(&model.lines[i], numbers[i]);

    ProgramEditor editor;
    QStringList text;
    for (int i = 0; i < model.lines.size(); ++i)
        text.append(formatLine(i + 1, model.body(model.lines[i])));
    editor.setLines(text);
    for (int i = 0; i < model.lines.size(); ++i)
        model.lines[i].editorId = editor.lineId(i);
    compare(editor, model);

    for (int op = 0; op < 200 && !in.done(); ++op) {
        const int size = int(model.lines.size());
        const int s = model.selected;
        const int last = model.last();
        const int kind = in.next(9);
        if (std::getenv("KORVEN_FUZZ_TRACE"))
            std::fprintf(stderr, "op %d sel %d..%d\n", kind, s, last);
        switch (kind) {
        case 0: { // one line, or a run of them
            const int wanted = in.next(size + 1) - 1;
            const int count = 1 + (in.next(2) == 0 ? in.next(size) : 0);
            if (count == 1)
                editor.setSelected(wanted);
            else
                editor.setSelection(wanted, count);
            model.select(wanted, wanted < 0 ? 0 : qMin(count, size - wanted));
            break;
        }
        case 1: { // add after the selection
            int number = 0;
            ModelLine added = drawLine(in, size + 1, &number);
            const bool expected = model.endsWithEnd();
            KORVEN_FUZZ_CHECK(editor.AddCmd(model.body(added)) == expected);
            int id = 0;
            if (addToModel(model, added, number, &id))
                takeNewEditorId(editor, model, id);
            break;
        }
        case 2: { // up
            const bool can = s > 0 && !(last == size - 1 && model.endsWithEnd());
            KORVEN_FUZZ_CHECK(editor.moveUp() == can);
            if (can) {
                model.lines.move(s - 1, last);
                model.select(s - 1, model.count);
            }
            break;
        }
        case 3: { // down
            const bool can =
                s >= 0 && last < size - 1 && !(last == size - 2 && model.endsWithEnd());
            KORVEN_FUZZ_CHECK(editor.moveDown() == can);
            if (can) {
                model.lines.move(last + 1, s);
                model.select(s + 1, model.count);
            }
            break;
        }
        case 4: { // delete
            const bool can = s >= 0 && last < size - 1;
            KORVEN_FUZZ_CHECK(editor.deleteSelected() == can);
            if (can) {
                QList<int> gone;
                for (int i = s; i <= last; ++i)
                    gone.append(model.lines[i].id);
                const int heir = model.lines[last + 1].id;
                model.lines.remove(s, last - s + 1);
                for (ModelLine &l : model.lines)
                    if (l.jump >= 0 && l.toLine && gone.contains(l.target))
                        l.target = heir;
                model.select(-1, 0);
            }
            break;
        }
        case 5: { // a comment set, changed, removed or refused
            const int index = in.next(size);
            const int c = in.next(int(std::size(kComments)) + 1);
            const QString comment = c == 0 ? QString() : QString::fromUtf8(kComments[c - 1]);
            const bool can = c <= kValidComments;
            KORVEN_FUZZ_CHECK(editor.setComment(index, comment) == can);
            if (can)
                model.lines[index].comment = comment;
            break;
        }
        case 6: paste(in, editor, model); break;
        default: { // edit a line's body in place
            const int index = in.next(size);
            int number = 0;
            ModelLine edited = drawLine(in, size, &number);
            edited.id = model.lines[index].id;
            edited.editorId = model.lines[index].editorId;
            if (edited.jump >= 0) {
                // The number is read against the list as it stands.
                model.aim(&edited, number);
            }
            edited.comment.clear();
            editor.EditCmd(model.body(edited), index);
            // The line keeps its comment.
            edited.comment = model.lines[index].comment;
            model.lines[index] = edited;
            break;
        }
        }
        compare(editor, model);
    }
    return 0;
}
