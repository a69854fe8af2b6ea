#pragma once

#include <QAbstractListModel>

namespace korven {

class ProgramEditor;

// Shows the editor's lines in the program list; the lines themselves live only in the editor.
class ProgramListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ProgramListModel(const ProgramEditor &editor, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // After the editor changed the lines.
    void refresh();

private:
    const ProgramEditor &m_editor;
};

} // namespace korven
