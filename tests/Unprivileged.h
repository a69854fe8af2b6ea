#pragma once

// Permission bits do not stop root, so tests of read-only folders run as "nobody" when
// started as root (as in a container). Call before the application object exists.
#ifdef Q_OS_UNIX
#include <grp.h>
#include <unistd.h>
#endif

inline void dropRootPrivileges() {
#ifdef Q_OS_UNIX
    if (geteuid() != 0)
        return;
    const gid_t nogroup = 65534;
    const uid_t nobody = 65534;
    if (setgroups(0, nullptr) != 0 || setgid(nogroup) != 0 || setuid(nobody) != 0)
        return; // the read-only cases then skip themselves
#endif
}
