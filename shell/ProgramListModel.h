#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QSet>

#include <functional>

namespace korven {

class ProgramEditor;

// Shows the editor's lines in the program list; the lines themselves live only in the editor.
// Rows can carry marks (a breakpoint, the line about to run, a difference found by a verify),
// which the list's delegate draws beside the text.
class ProgramListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum class LineMark { Breakpoint = 0x1, Current = 0x2, Difference = 0x4 };
    // The marks of a row as an int of LineMark bits.
    static constexpr int MarksRole = Qt::UserRole + 1;

    explicit ProgramListModel(const ProgramEditor &editor, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // After the editor changed the lines.
    void refresh();

    // The tooltip of a row: what its line does.
    void setToolTips(std::function<QString(int row)> toolTip) { m_toolTip = std::move(toolTip); }

    // Replaces the rows that carry one kind of mark.
    void setMarkedRows(LineMark mark, const QSet<int> &rows);
    QSet<int> markedRows(LineMark mark) const { return m_marks.value(mark); }
    bool isMarked(int row, LineMark mark) const { return m_marks.value(mark).contains(row); }

private:
    const ProgramEditor &m_editor;
    QHash<LineMark, QSet<int>> m_marks;
    std::function<QString(int row)> m_toolTip;
};

} // namespace korven
