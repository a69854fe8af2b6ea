#pragma once

// The tests of the Windows build run under Wine too (ctest of a build cross-compiled on
// Linux). A test that needs what Wine does not give a Windows program skips itself there
// and says what is missing:
//     KORVEN_SKIP_UNDER_WINE("a printer driver");
// It still runs on Windows itself and on Linux.

#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// Whether this Windows program runs under Wine (whose ntdll says its version).
inline bool runningUnderWine() {
#ifdef Q_OS_WIN
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

#define KORVEN_SKIP_UNDER_WINE(what)                                                               \
    do {                                                                                           \
        if (runningUnderWine())                                                                    \
            QSKIP("not under Wine: " what);                                                        \
    } while (false)
