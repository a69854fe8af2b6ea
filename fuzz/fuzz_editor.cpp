// Editing sequences against a model in which every line has an identity and every jump
// refers to the identity of its target line: whatever is added, moved, deleted or
// edited, each jump still designates the line it designated (a deleted target hands
// over to the line that followed it), and the number fields equal the positions.
#include "FuzzCheck.h"
#include "ProgramEditor.h"
#include "ProgramLine.h"

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
    quint64 editorId = 0; // the identity the editor gave the line
};

const Command kJumps[] = {Command::Jump, Command::JumpIfInput, Command::JumpIfCounter};

class Model {
public:
    QList<ModelLine> lines;
    int selected = -1;

    int positionOf(int id) const {
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].id == id)
                return i + 1;
        return 0;
    }
    QString body(const ModelLine &l) const {
        if (l.jump < 0)
            return l.plain;
        const int t = l.toLine ? positionOf(l.target) : l.target;
        return l.jump == 1 ? bodyJumpIfInput(t, 3, 1) : bodyInt(kJumps[l.jump], t);
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
    // The editor's line identities follow the lines through every operation.
    KORVEN_FUZZ_CHECK(editor.lineIds().size() == model.lines.size());
    for (int i = 0; i < model.lines.size(); ++i)
        KORVEN_FUZZ_CHECK(editor.lineId(i) == model.lines[i].editorId);
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
        const int kind = in.next(6);
        if (std::getenv("KORVEN_FUZZ_TRACE"))
            std::fprintf(stderr, "op %d sel %d\n", kind, s);
        switch (kind) {
        case 0: {
            const int wanted = in.next(size + 1) - 1;
            editor.setSelected(wanted);
            model.selected = wanted;
            break;
        }
        case 1: { // add after the selection
            int number = 0;
            ModelLine added = drawLine(in, size + 1, &number);
            const bool expected = model.endsWithEnd();
            KORVEN_FUZZ_CHECK(editor.AddCmd(model.body(added)) == expected);
            if (!expected)
                break;
            // The new command takes over the end line's identity and place; a new end
            // line follows; then the command climbs to just after the selection.
            const int oldEnd = model.lines.last().id;
            added.id = oldEnd;
            // The end line's identity in the editor stays with the end line.
            const quint64 endEditorId = model.lines.last().editorId;
            model.lines.last() = added;
            ModelLine newEnd;
            newEnd.id = g_nextId++;
            newEnd.plain = QStringLiteral("Koniec");
            newEnd.editorId = endEditorId;
            model.lines.append(newEnd);
            if (added.jump >= 0)
                model.aim(&model.lines[size - 1], number);
            if (s >= 0 && s < size - 2)
                model.lines.move(size - 1, s + 1);
            model.selected = s < 0 ? -1 : (s >= size - 2 ? size - 1 : s + 1);
            model.settle();
            {
                const int at = model.positionOf(added.id) - 1;
                const quint64 fresh = editor.lineId(at);
                for (const ModelLine &l : model.lines)
                    KORVEN_FUZZ_CHECK(l.editorId != fresh);
                model.lines[at].editorId = fresh;
            }
            break;
        }
        case 2: { // up
            const bool can = s > 0 && !(s == size - 1 && model.endsWithEnd());
            KORVEN_FUZZ_CHECK(editor.moveUp() == can);
            if (can) {
                model.lines.swapItemsAt(s - 1, s);
                model.selected = s - 1;
            }
            break;
        }
        case 3: { // down
            const bool can = s >= 0 && s < size - 1 && !(s == size - 2 && model.endsWithEnd());
            KORVEN_FUZZ_CHECK(editor.moveDown() == can);
            if (can) {
                model.lines.swapItemsAt(s, s + 1);
                model.selected = s + 1;
            }
            break;
        }
        case 4: { // delete
            const bool can = s >= 0 && s < size - 1;
            KORVEN_FUZZ_CHECK(editor.deleteSelected() == can);
            if (can) {
                const int gone = model.lines[s].id;
                const int heir = model.lines[s + 1].id;
                model.lines.removeAt(s);
                for (ModelLine &l : model.lines)
                    if (l.jump >= 0 && l.toLine && l.target == gone)
                        l.target = heir;
                model.selected = -1;
            }
            break;
        }
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
            editor.EditCmd(model.body(edited), index);
            model.lines[index] = edited;
            break;
        }
        }
        compare(editor, model);
    }
    return 0;
}
