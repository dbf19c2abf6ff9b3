/* Fault injection for whole-program tests, loaded with LD_PRELOAD: makes one chosen call of write,
 * fsync/fdatasync or rename fail, as a full disk or a failing disk would.
 *
 * TASSELLA_FAIL   "write:N"  the Nth write fails with ENOSPC
 *                 "short:N"  the Nth write writes half its bytes, the next one fails with ENOSPC
 *                 "hang:N"   the Nth write writes half its bytes, then the process waits to be killed
 *                 "fsync:N"  the Nth fsync or fdatasync fails with EIO
 *                 "rename:N" the Nth rename fails with EIO
 *                 "full"     every write that would make a file longer fails with ENOSPC
 *                 "stuck:N"  the first N calls of fsync, fdatasync and ftruncate fail with EIO: a device
 *                            that keeps failing for a while, then comes back
 *                 "kill:N"   the Nth I/O call of the save (write, fsync/fdatasync, rename, unlink) does not
 *                            return: a write writes half its bytes first; the process waits to be killed
 * TASSELLA_FAIL_MARK  a file created when the fault has struck.
 *
 * Only calls on regular files count, and not those on lock files: the tests count the program's
 * own writes of data, not the output channels. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

enum { NONE, WRITE, SHORT, HANG, FSYNC, RENAME, FULL, STUCK, KILL };

static int g_mode = -1;
static long g_target;
static long g_writes, g_syncs, g_renames, g_stuck, g_calls;
static int g_shortPending;

static void setup(void)
{
    if (g_mode >= 0)
        return;
    g_mode = NONE;
    const char* setting = getenv("TASSELLA_FAIL");
    if (!setting)
        return;
    static const struct {
        const char* name;
        int mode;
    } modes[] = {{"write:", WRITE}, {"short:", SHORT}, {"hang:", HANG}, {"fsync:", FSYNC}, {"rename:", RENAME},
                   {"stuck:", STUCK},  {"kill:", KILL}};
    for (size_t i = 0; i < sizeof modes / sizeof modes[0]; ++i) {
        const size_t n = strlen(modes[i].name);
        if (strncmp(setting, modes[i].name, n) == 0) {
            g_mode = modes[i].mode;
            g_target = strtol(setting + n, NULL, 10);
        }
    }
    if (strcmp(setting, "full") == 0)
        g_mode = FULL;
}

static void strike(void)
{
    const char* mark = getenv("TASSELLA_FAIL_MARK");
    if (mark) {
        const int fd = open(mark, O_WRONLY | O_CREAT, 0644);
        if (fd >= 0)
            close(fd);
    }
}

static int counted(int fd)
{
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return 0;
    char link[64], path[4096];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, path, sizeof path - 1);
    if (n < 0)
        return 1;
    path[n] = '\0';
    return strstr(path, ".lock") == NULL; /* lock files and QLockFile's ".lock.rmlock" */
}

/* kill:N: true when this call is the one that never returns (the caller then does its half and waits). */
static int killHere(void)
{
    if (g_mode != KILL || ++g_calls != g_target)
        return 0;
    strike();
    return 1;
}

static void waitForKill(void)
{
    for (;;)
        pause();
}

/* stuck:N: true while the device still fails. */
static int stuckFails(int fd)
{
    setup();
    if (g_mode == STUCK && counted(fd) && g_stuck < g_target) {
        ++g_stuck;
        strike();
        errno = EIO;
        return 1;
    }
    return 0;
}

typedef ssize_t (*write_fn)(int, const void*, size_t);

ssize_t write(int fd, const void* buf, size_t count)
{
    static write_fn real;
    if (!real)
        real = (write_fn)dlsym(RTLD_NEXT, "write");
    setup();
    if (g_mode == NONE || !counted(fd))
        return real(fd, buf, count);
    if (g_mode == KILL) {
        if (killHere()) {
            if (count >= 2)
                real(fd, buf, count / 2);
            waitForKill();
        }
        return real(fd, buf, count);
    }
    if (g_mode == FULL) {
        struct stat st;
        const off_t at = lseek(fd, 0, SEEK_CUR);
        if (fstat(fd, &st) == 0 && at >= 0 && at + (off_t)count > st.st_size) {
            strike();
            errno = ENOSPC;
            return -1;
        }
        return real(fd, buf, count);
    }
    if (g_shortPending) {
        g_shortPending = 0;
        errno = ENOSPC;
        return -1;
    }
    if ((g_mode == WRITE || g_mode == SHORT || g_mode == HANG) && ++g_writes == g_target) {
        if (g_mode == WRITE || count < 2) {
            strike();
            errno = ENOSPC;
            return -1;
        }
        const ssize_t done = real(fd, buf, count / 2);
        strike();
        if (g_mode == HANG)
            for (;;)
                pause();
        g_shortPending = 1;
        return done;
    }
    return real(fd, buf, count);
}

static int syncFails(int fd)
{
    setup();
    if (stuckFails(fd))
        return 1;
    if (g_mode == KILL && counted(fd) && killHere())
        waitForKill();
    if (g_mode == FSYNC && counted(fd) && ++g_syncs == g_target) {
        strike();
        errno = EIO;
        return 1;
    }
    return 0;
}

typedef int (*sync_fn)(int);

int fsync(int fd)
{
    static sync_fn real;
    if (!real)
        real = (sync_fn)dlsym(RTLD_NEXT, "fsync");
    return syncFails(fd) ? -1 : real(fd);
}

int fdatasync(int fd)
{
    static sync_fn real;
    if (!real)
        real = (sync_fn)dlsym(RTLD_NEXT, "fdatasync");
    return syncFails(fd) ? -1 : real(fd);
}

static int renameFails(void)
{
    setup();
    if (killHere())
        waitForKill();
    if (g_mode == RENAME && ++g_renames == g_target) {
        strike();
        errno = EIO;
        return 1;
    }
    return 0;
}

typedef int (*rename_fn)(const char*, const char*);
typedef int (*renameat_fn)(int, const char*, int, const char*);
typedef int (*renameat2_fn)(int, const char*, int, const char*, unsigned int);

int rename(const char* from, const char* to)
{
    static rename_fn real;
    if (!real)
        real = (rename_fn)dlsym(RTLD_NEXT, "rename");
    return renameFails() ? -1 : real(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to)
{
    static renameat_fn real;
    if (!real)
        real = (renameat_fn)dlsym(RTLD_NEXT, "renameat");
    return renameFails() ? -1 : real(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned int flags)
{
    static renameat2_fn real;
    if (!real)
        real = (renameat2_fn)dlsym(RTLD_NEXT, "renameat2");
    return renameFails() ? -1 : real(fromDir, from, toDir, to, flags);
}

typedef int (*truncate_fn)(int, off_t);

int ftruncate(int fd, off_t length)
{
    static truncate_fn real;
    if (!real)
        real = (truncate_fn)dlsym(RTLD_NEXT, "ftruncate");
    return stuckFails(fd) ? -1 : real(fd, length);
}

int ftruncate64(int fd, off_t length)
{
    static truncate_fn real;
    if (!real)
        real = (truncate_fn)dlsym(RTLD_NEXT, "ftruncate64");
    return stuckFails(fd) ? -1 : real(fd, length);
}

typedef int (*unlink_fn)(const char*);

int unlink(const char* path)
{
    static unlink_fn real;
    if (!real)
        real = (unlink_fn)dlsym(RTLD_NEXT, "unlink");
    setup();
    if (g_mode == KILL && strstr(path, ".lock") == NULL && killHere())
        waitForKill();
    return real(path);
}
