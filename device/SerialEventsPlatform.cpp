// How the serial port learns that bytes arrived.
//
// Windows: QSerialPort waits for line events with WaitCommEvent on a port tied to a
// completion port. Wine 8 never posts the end of such a wait to the completion port (and,
// without an event object in the wait, blocks the caller until an event occurs), so under
// Wine the port would never read. There, and only there, the wait goes through an event
// object of ours and its end is posted to the completion port as Windows does. Nothing
// changes on Windows itself, nor on POSIX systems, where QSerialPort watches the file.
#include "SerialPlatform.h"

#ifdef Q_OS_WIN
#include <atomic>
#include <map>
#include <mutex>

#include <windows.h>
#endif

namespace korven::platform {

#ifdef Q_OS_WIN

namespace {

struct CompletionPort {
    HANDLE port = nullptr;
    ULONG_PTR key = 0;
};

std::mutex completionLock;
std::map<HANDLE, CompletionPort> completionPorts; // the port of each file tied to one

HANDLE WINAPI tieToCompletionPort(HANDLE file, HANDLE existing, ULONG_PTR key, DWORD threads) {
    const HANDLE port = CreateIoCompletionPort(file, existing, key, threads);
    if (port && file != INVALID_HANDLE_VALUE) {
        const std::lock_guard<std::mutex> locked(completionLock);
        completionPorts[file] = {port, key};
    }
    return port;
}

// A wait for line events under way: Wine's wait with our event and our own OVERLAPPED and
// event mask (Wine writes them when the wait ends, even after the caller is gone), and the
// caller's. Owned by the starter until the wait is registered and by the wait's callback
// until it has run; the last of the two frees it.
struct EventWait {
    HANDLE file = nullptr;
    OVERLAPPED own{};
    DWORD events = 0;
    OVERLAPPED *callers = nullptr; // both null once the caller gave the port up
    DWORD *callersEvents = nullptr;
    CompletionPort completion;
    HANDLE registration = nullptr;
    std::atomic<int> owners{2};
};

std::multimap<HANDLE, EventWait *> pendingWaits; // under completionLock

void release(EventWait *wait) {
    if (--wait->owners > 0)
        return;
    if (wait->registration)
        UnregisterWait(wait->registration);
    CloseHandle(wait->own.hEvent);
    delete wait;
}

// Hands the end of the wait to the caller's completion port, unless the caller gave the
// port up meanwhile (its OVERLAPPED may be gone).
void finish(EventWait *wait) {
    const std::lock_guard<std::mutex> locked(completionLock);
    for (auto it = pendingWaits.begin(); it != pendingWaits.end(); ++it)
        if (it->second == wait) {
            pendingWaits.erase(it);
            break;
        }
    if (!wait->callers)
        return;
    DWORD bytes = 0;
    GetOverlappedResult(wait->file, &wait->own, &bytes, FALSE);
    *wait->callersEvents = wait->events;
    wait->callers->Internal = wait->own.Internal;
    wait->callers->InternalHigh = wait->own.InternalHigh;
    PostQueuedCompletionStatus(wait->completion.port, bytes, wait->completion.key, wait->callers);
}

void CALLBACK eventWaitEnded(void *context, BOOLEAN) {
    auto *wait = static_cast<EventWait *>(context);
    finish(wait);
    release(wait);
}

// The caller gives the port up (CancelIo, CloseHandle): its waits end without it.
void forgetWaitsOf(HANDLE file) {
    const std::lock_guard<std::mutex> locked(completionLock);
    const auto [first, last] = pendingWaits.equal_range(file);
    for (auto it = first; it != last; ++it) {
        it->second->callers = nullptr;
        it->second->callersEvents = nullptr;
    }
    completionPorts.erase(file);
}

BOOL WINAPI cancelIo(HANDLE file) {
    forgetWaitsOf(file);
    return CancelIo(file);
}

BOOL WINAPI closeHandle(HANDLE handle) {
    forgetWaitsOf(handle);
    return CloseHandle(handle);
}

BOOL WINAPI waitForLineEvents(HANDLE file, DWORD *events, OVERLAPPED *overlapped) {
    CompletionPort completion;
    {
        const std::lock_guard<std::mutex> locked(completionLock);
        const auto found = completionPorts.find(file);
        if (found != completionPorts.end())
            completion = found->second;
    }
    if (!overlapped || overlapped->hEvent || !completion.port)
        return WaitCommEvent(file, events, overlapped);
    auto *wait = new EventWait;
    wait->file = file;
    wait->callers = overlapped;
    wait->callersEvents = events;
    wait->completion = completion;
    wait->own.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!wait->own.hEvent) {
        delete wait;
        return WaitCommEvent(file, events, overlapped);
    }
    {
        const std::lock_guard<std::mutex> locked(completionLock);
        pendingWaits.emplace(file, wait);
    }
    if (!WaitCommEvent(file, &wait->events, &wait->own) && GetLastError() != ERROR_IO_PENDING) {
        const DWORD error = GetLastError();
        wait->callers = nullptr;
        finish(wait);
        wait->owners = 1;
        release(wait);
        SetLastError(error);
        return FALSE;
    }
    // Ended at once or later: either way the callback hands the end on. (Should no
    // callback be had, the caller hears of it now, and the wait's memory stays Wine's.)
    if (!RegisterWaitForSingleObject(&wait->registration, wait->own.hEvent, eventWaitEnded, wait,
                                     INFINITE, WT_EXECUTEONLYONCE)) {
        finish(wait);
        SetLastError(ERROR_IO_PENDING);
        return FALSE;
    }
    release(wait);
    SetLastError(ERROR_IO_PENDING);
    return FALSE;
}

// Points an import of a loaded module at another function.
void replaceImport(HMODULE module, const char *function, void *replacement) {
    auto *base = reinterpret_cast<unsigned char *>(module);
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress)
        return;
    for (auto *library =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
         library->Name; ++library) {
        if (lstrcmpiA(reinterpret_cast<const char *>(base + library->Name), "KERNEL32.dll") != 0)
            continue;
        auto *names = reinterpret_cast<const IMAGE_THUNK_DATA *>(
            base +
            (library->OriginalFirstThunk ? library->OriginalFirstThunk : library->FirstThunk));
        auto *addresses = reinterpret_cast<IMAGE_THUNK_DATA *>(base + library->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++addresses) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto *name =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<const char *>(name->Name), function) != 0)
                continue;
            DWORD protection = 0;
            if (VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function,
                               PAGE_READWRITE, &protection)) {
                addresses->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
                VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, protection,
                               &protection);
            }
        }
    }
}

} // namespace

void prepareSerialEvents() {
    static std::once_flag once;
    std::call_once(once, [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        const HMODULE serialPort = GetModuleHandleW(L"Qt6SerialPort.dll");
        if (!ntdll || !GetProcAddress(ntdll, "wine_get_version") || !serialPort)
            return;
        replaceImport(serialPort, "CreateIoCompletionPort",
                      reinterpret_cast<void *>(&tieToCompletionPort));
        replaceImport(serialPort, "WaitCommEvent", reinterpret_cast<void *>(&waitForLineEvents));
        replaceImport(serialPort, "CancelIo", reinterpret_cast<void *>(&cancelIo));
        replaceImport(serialPort, "CloseHandle", reinterpret_cast<void *>(&closeHandle));
    });
}

#else

void prepareSerialEvents() {}

#endif

} // namespace korven::platform
