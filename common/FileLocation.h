#pragma once

#include <QString>

namespace korven {

// Where a file dialog opens next: beside the last file that worked. After a failure the
// name typed is offered again, but in the last folder that worked: the failed one may be
// unusable (no permission, a removed stick) or a pseudo-file system such as /proc.
class FileLocation {
public:
    explicit FileLocation(QString fallbackFolder) : m_folder(std::move(fallbackFolder)) {}

    QString folder() const { return m_folder; }
    QString name() const { return m_name; }

    void succeeded(const QString &path);
    void failed(const QString &path);

private:
    QString m_folder;
    QString m_name;
};

} // namespace korven
