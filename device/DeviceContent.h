#pragma once

#include "DeviceOperations.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

namespace korven {

// What the device on the window's port holds, as far as this run of the program knows:
// the program it last loaded or verified there, or that the content is unknown, or that a
// programming broke off half-way. Also where the last failed verify found the device
// different from the program, for as long as the program stays as it was.
class DeviceContent {
public:
    enum class State { Unknown, Known, Incomplete };

    State state() const { return m_state; }
    // The image bytes, file name ("bez nazwy" when none) and time of the known program.
    const QByteArray &bytes() const { return m_bytes; }
    const QString &name() const { return m_name; }
    const QTime &time() const { return m_time; }

    // Programming or verifying this image ended well: the device holds it now.
    // fileName may be a path or empty (a program never saved).
    void confirm(const QByteArray &image, const QString &fileName, const QTime &time);
    // A programming failed after its command letter went out.
    void interrupted();
    // A verify of this image failed: when the device was thought to hold it, it does not.
    void verifyFailed(const QByteArray &image, const QList<LineDifference> &differences,
                      const QStringList &lines);
    // A reset, a firmware update: nothing is known any more.
    void forget();
    // The window's port now; another port than before makes the content unknown.
    void setPort(const QString &port);

    // The program shown changed (an edit, undo, open, "&Nowy"): marks found for other
    // lines are dropped.
    void followProgram(const QStringList &lines);
    // The 0-based lines the last failed verify found different, while they are valid.
    QList<int> differingLines() const;

    // Whether the device is known to hold something other than the current program
    // (current is empty when it does not compile).
    bool holdsOtherThan(const QByteArray &current) const;
    // The status-bar field: "W mikroindekserze: pickplace.dat (12:03), zgodny z bieżącym",
    // "…, inny niż bieżący", "nieznany", "niepełny (programowanie przerwane)", followed by
    // the first difference of a failed verify.
    QString statusText(const QByteArray &current) const;
    // The question before running a program other than the current one; empty when the
    // run needs no question.
    QString runQuestion(const QByteArray &current) const;

    // The image lines as the bytes the device holds.
    static QByteArray bytesOf(const QStringList &image);

private:
    QString described() const;

    State m_state = State::Unknown;
    QByteArray m_bytes;
    QString m_name;
    QTime m_time;
    QString m_port;
    bool m_portSet = false;
    QList<int> m_differing;
    QStringList m_differingFor;
};

} // namespace korven
