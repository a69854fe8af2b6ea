// The Windows programs as a Windows user meets them: the window is a GUI program (no
// console window beside it), korven-cli and avrosp are console programs, and the portable
// folder's window starts on its own DLLs and plugins and shows its main window (its
// picture is saved for the test log). Windows only; under Wine on a virtual X display.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cstdio>

#include <windows.h>

namespace {

// The subsystem a program asks Windows for, from its PE header (2 GUI, 3 console).
int subsystemOf(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.read(4096);
    if (bytes.size() < 0x40 || !bytes.startsWith("MZ"))
        return -1;
    const quint32 pe = qFromLittleEndian<quint32>(bytes.constData() + 0x3c);
    // "PE\0\0", the 20-byte file header, then the optional header: Subsystem at 68.
    if (bytes.size() < qsizetype(pe + 24 + 70) || bytes.mid(pe, 4) != QByteArray("PE\0\0", 4))
        return -1;
    return qFromLittleEndian<quint16>(bytes.constData() + pe + 24 + 68);
}

struct FoundWindow {
    HWND handle = nullptr;
    DWORD process = 0;
};

// The visible top-level window of the process with the title bar "KORVEN" (the splash
// has none).
HWND mainWindowOf(DWORD process) {
    FoundWindow found{nullptr, process};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto *f = reinterpret_cast<FoundWindow *>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t caption[64] = {};
            GetWindowTextW(window, caption, 64);
            const bool titleBar = (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
            if (owner == f->process && IsWindowVisible(window) && titleBar &&
                QString::fromWCharArray(caption) == QLatin1String("KORVEN")) {
                f->handle = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.handle;
}

// How many colours a picture has: a window drawn is more than a blank rectangle.
int coloursIn(const QImage &image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

} // namespace

class TestWindowsPrograms : public QObject {
    Q_OBJECT
private slots:
    void guiAndConsolePrograms() {
        const QDir portable(QStringLiteral(KORVEN_PORTABLE_DIR));
        QCOMPARE(subsystemOf(portable.filePath(QStringLiteral("korven.exe"))),
                 IMAGE_SUBSYSTEM_WINDOWS_GUI);
        QCOMPARE(subsystemOf(portable.filePath(QStringLiteral("korven-cli.exe"))),
                 IMAGE_SUBSYSTEM_WINDOWS_CUI);
        QCOMPARE(subsystemOf(portable.filePath(QStringLiteral("avrosp.exe"))),
                 IMAGE_SUBSYSTEM_WINDOWS_CUI);
    }

    void portableWindowStartsAndShowsItself() {
        // A copy of the portable folder: the window writes its settings beside itself.
        QTemporaryDir copy;
        const QString folder = copy.filePath(QStringLiteral("KORVEN"));
        QVERIFY(copyFolder(QStringLiteral(KORVEN_PORTABLE_DIR), folder));
        QProcess window;
        // Only the system's folders on the PATH: the folder must bring every DLL it needs.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PATH"),
                           QStringLiteral("C:\\windows\\system32;C:\\windows"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        window.setProcessEnvironment(environment);
        window.start(QDir(folder).filePath(QStringLiteral("korven.exe")), {});
        QVERIFY2(window.waitForStarted(30000), qPrintable(window.errorString()));
        const auto stop = qScopeGuard([&] {
            window.kill();
            window.waitForFinished(10000);
        });
        // This prefix has no COM1: the start-up says so in a message box first, closed as
        // the user closes it; then the main window comes.
        HWND main = nullptr;
        QRect area;
        const auto mainWindowShown = [&] {
            main = mainWindowOf(DWORD(window.processId()));
            RECT r{};
            if (!main || !GetWindowRect(main, &r))
                return false;
            area = QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
            if (area.width() >= 600 && area.height() >= 400)
                return true;
            PostMessageW(main, WM_CLOSE, 0, 0);
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(mainWindowShown(), 60000);
        // Painted once it stays the same for a moment.
        QImage shot;
        QImage previous;
        QElapsedTimer clock;
        clock.start();
        do {
            previous = shot;
            QTest::qWait(500);
            shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage().copy(area);
        } while ((shot != previous || coloursIn(shot) < 20) && !clock.hasExpired(30000));
        const QString picture = QDir(QStringLiteral(KORVEN_TEST_OUTPUT_DIR))
                                    .filePath(QStringLiteral("korven-window.png"));
        QDir().mkpath(QFileInfo(picture).absolutePath());
        QVERIFY(shot.save(picture));
        qInfo("the window's picture: %s", qPrintable(QDir::toNativeSeparators(picture)));
        // The picture as an attachment of this test's result (CTest, CDash).
        std::printf("<CTestMeasurementFile type=\"image/png\" name=\"korven-window\">%s"
                    "</CTestMeasurementFile>\n",
                    qPrintable(picture));
        QVERIFY2(coloursIn(shot) >= 20, "the window shows nothing");

        // Closed as the user closes it: the program ends after its pause, settings written.
        PostMessageW(main, WM_CLOSE, 0, 0);
        QVERIFY(window.waitForFinished(30000));
        QCOMPARE(window.exitStatus(), QProcess::NormalExit);
        QVERIFY(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("rs232.ini"))));
    }

private:
    static bool copyFolder(const QString &from, const QString &to) {
        if (!QDir().mkpath(to))
            return false;
        const QDir source(from);
        for (const QFileInfo &entry :
             source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
            const QString target = QDir(to).filePath(entry.fileName());
            if (entry.isDir() ? !copyFolder(entry.filePath(), target)
                              : !QFile::copy(entry.filePath(), target))
                return false;
        }
        return true;
    }
};

QTEST_MAIN(TestWindowsPrograms)
#include "tst_windows_programs.moc"
