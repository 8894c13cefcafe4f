// Preloaded into a process, counts the write-side calls it makes on files under $FAULT_ROOT and
// can fault one of them. Environment:
//   FAULT_ROOT   folder whose files are watched (absolute, no symlinks, no final slash)
//   FAULT_AT     k: fault the k-th counted call; unset or 0 only counts
//   FAULT_MODE   kill (SIGKILL before the call), enospc or eio (the call fails with that errno)
//   FAULT_TRACE  file that gets one line per counted call ("k call path"); the count is its
//                number of lines, written as the calls happen so nothing depends on a clean exit
// Calls through file descriptors count only for descriptors opened under the root, so writes to
// stdout or stderr never do. glibc's mkstemp family opens through an internal call, so those are
// intercepted whole.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

enum { MaxTrackedFd = 65536 };

static char g_root[PATH_MAX];
static size_t g_rootLength;
static long g_faultAt;
static int g_faultErrno; // 0 for kill
static long g_count;
static int g_traceFd = -1;
static unsigned char g_tracked[MaxTrackedFd];

// The next definition of a function, looked up once.
#define REAL(name)                                                                                 \
    ({                                                                                             \
        static __typeof__(name) *next;                                                             \
        if (!next)                                                                                 \
            next = (__typeof__(name) *)dlsym(RTLD_NEXT, #name);                                    \
        next;                                                                                      \
    })

__attribute__((constructor)) static void init(void)
{
    const char *root = getenv("FAULT_ROOT");
    if (root && strlen(root) < sizeof g_root)
        g_rootLength = strlen(strcpy(g_root, root));
    const char *at = getenv("FAULT_AT");
    g_faultAt = at ? atol(at) : 0;
    const char *mode = getenv("FAULT_MODE");
    g_faultErrno = !mode || strcmp(mode, "kill") == 0 ? 0
                   : strcmp(mode, "enospc") == 0      ? ENOSPC
                                                      : EIO;
    const char *trace = getenv("FAULT_TRACE");
    if (trace && *trace)
        g_traceFd = REAL(open)(trace, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
}

static int isUnderRoot(int dirFd, const char *path)
{
    if (!g_rootLength || !path)
        return 0;
    char full[2 * PATH_MAX];
    if (path[0] == '/') {
        snprintf(full, sizeof full, "%s", path);
    } else {
        char base[PATH_MAX];
        if (dirFd == AT_FDCWD) {
            if (!getcwd(base, sizeof base))
                return 0;
        } else {
            char link[64];
            snprintf(link, sizeof link, "/proc/self/fd/%d", dirFd);
            const ssize_t n = readlink(link, base, sizeof base - 1);
            if (n < 0)
                return 0;
            base[n] = '\0';
        }
        snprintf(full, sizeof full, "%s/%s", base, path);
    }
    return strncmp(full, g_root, g_rootLength) == 0 &&
           (full[g_rootLength] == '/' || full[g_rootLength] == '\0');
}

static int isTracked(int fd)
{
    return fd >= 0 && fd < MaxTrackedFd && g_tracked[fd];
}

static void track(int fd, int dirFd, const char *path)
{
    if (fd >= 0 && fd < MaxTrackedFd)
        g_tracked[fd] = (unsigned char)isUnderRoot(dirFd, path);
}

// Counts one call; 0 lets it proceed, -1 (errno set) makes it fail. Kill mode never returns at
// the faulted call.
static int fault(const char *call, const char *what)
{
    const long k = __atomic_add_fetch(&g_count, 1, __ATOMIC_SEQ_CST);
    if (g_traceFd >= 0) {
        char line[PATH_MAX + 64];
        snprintf(line, sizeof line, "%ld %s %s\n", k, call, what ? what : "");
        const ssize_t written = REAL(write)(g_traceFd, line, strlen(line));
        (void)written;
    }
    if (k != g_faultAt)
        return 0;
    if (!g_faultErrno)
        kill(getpid(), SIGKILL);
    errno = g_faultErrno;
    return -1;
}

// The file an fd names, for the trace only.
static const char *fdName(int fd)
{
    static __thread char name[PATH_MAX];
    if (g_traceFd < 0)
        return "";
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, name, sizeof name - 1);
    name[n < 0 ? 0 : n] = '\0';
    return name;
}

static int writesTo(int flags)
{
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0;
}

static mode_t modeArg(int flags, va_list args)
{
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(args, mode_t) : 0;
}

// The open family: the file counts when opened for writing; the fd is tracked either way, so
// that syncing a folder counts too.
#define OPEN(name, params, dirFdExpr, args)                                                        \
    int name params                                                                                \
    {                                                                                              \
        va_list modeList;                                                                          \
        va_start(modeList, flags);                                                                 \
        const mode_t mode = modeArg(flags, modeList);                                              \
        va_end(modeList);                                                                          \
        const int dirFd = dirFdExpr;                                                               \
        if (writesTo(flags) && isUnderRoot(dirFd, path) && fault(#name, path))                     \
            return -1;                                                                             \
        const int fd = REAL(name) args;                                                            \
        track(fd, dirFd, path);                                                                    \
        return fd;                                                                                 \
    }

// creat and the mkstemp family: the path names the created file.
#define CREATE(name, params, args)                                                                 \
    int name params                                                                                \
    {                                                                                              \
        if (isUnderRoot(AT_FDCWD, path) && fault(#name, path))                                     \
            return -1;                                                                             \
        const int fd = REAL(name) args;                                                            \
        track(fd, AT_FDCWD, path);                                                                 \
        return fd;                                                                                 \
    }

// A call on a descriptor; fd is the parameter that names the written file. A faulted call returns
// failed: -1 with errno set, or the error itself where the call reports it so (posix_fallocate).
#define FD_CALL_FAILING(failed, type, name, params, args, fd)                                      \
    type name params                                                                               \
    {                                                                                              \
        if (isTracked(fd) && fault(#name, fdName(fd)))                                             \
            return failed;                                                                         \
        return REAL(name) args;                                                                    \
    }
#define FD_CALL(...) FD_CALL_FAILING(-1, __VA_ARGS__)

// A call on paths; it counts when any of them lies under the root.
#define PATH_CALL(name, params, args, under, what)                                                 \
    int name params                                                                                \
    {                                                                                              \
        if ((under) && fault(#name, what))                                                         \
            return -1;                                                                             \
        return REAL(name) args;                                                                    \
    }
#define UNDER(path) isUnderRoot(AT_FDCWD, path)
#define UNDER_AT(dirFd, path) isUnderRoot(dirFd, path)

// clang-format off
OPEN(open, (const char *path, int flags, ...), AT_FDCWD, (path, flags, mode))
OPEN(open64, (const char *path, int flags, ...), AT_FDCWD, (path, flags, mode))
OPEN(openat, (int atFd, const char *path, int flags, ...), atFd, (dirFd, path, flags, mode))
OPEN(openat64, (int atFd, const char *path, int flags, ...), atFd, (dirFd, path, flags, mode))
CREATE(creat, (const char *path, mode_t mode), (path, mode))
CREATE(creat64, (const char *path, mode_t mode), (path, mode))
CREATE(mkstemp, (char *path), (path))
CREATE(mkstemp64, (char *path), (path))
CREATE(mkostemp, (char *path, int flags), (path, flags))
CREATE(mkostemp64, (char *path, int flags), (path, flags))
CREATE(mkstemps, (char *path, int suffixLength), (path, suffixLength))
CREATE(mkstemps64, (char *path, int suffixLength), (path, suffixLength))
CREATE(mkostemps, (char *path, int suffixLength, int flags), (path, suffixLength, flags))
CREATE(mkostemps64, (char *path, int suffixLength, int flags), (path, suffixLength, flags))
FD_CALL(ssize_t, write, (int fd, const void *buf, size_t n), (fd, buf, n), fd)
FD_CALL(ssize_t, pwrite, (int fd, const void *buf, size_t n, off_t at), (fd, buf, n, at), fd)
FD_CALL(ssize_t, pwrite64, (int fd, const void *buf, size_t n, off64_t at), (fd, buf, n, at), fd)
FD_CALL(ssize_t, writev, (int fd, const struct iovec *v, int n), (fd, v, n), fd)
FD_CALL(ssize_t, pwritev, (int fd, const struct iovec *v, int n, off_t at), (fd, v, n, at), fd)
FD_CALL(ssize_t, pwritev64, (int fd, const struct iovec *v, int n, off64_t at), (fd, v, n, at), fd)
FD_CALL(int, ftruncate, (int fd, off_t length), (fd, length), fd)
FD_CALL(int, ftruncate64, (int fd, off64_t length), (fd, length), fd)
FD_CALL(int, fallocate, (int fd, int mode, off_t at, off_t n), (fd, mode, at, n), fd)
FD_CALL(int, fallocate64, (int fd, int mode, off64_t at, off64_t n), (fd, mode, at, n), fd)
FD_CALL(int, fsync, (int fd), (fd), fd)
FD_CALL(int, fdatasync, (int fd), (fd), fd)
FD_CALL(int, fchmod, (int fd, mode_t mode), (fd, mode), fd)
FD_CALL(ssize_t, copy_file_range, (int in, off64_t *inAt, int out, off64_t *outAt, size_t n,
        unsigned flags), (in, inAt, out, outAt, n, flags), out)
FD_CALL(ssize_t, sendfile, (int out, int in, off_t *at, size_t n), (out, in, at, n), out)
FD_CALL(ssize_t, sendfile64, (int out, int in, off64_t *at, size_t n), (out, in, at, n), out)
FD_CALL_FAILING(errno, int, posix_fallocate, (int fd, off_t at, off_t n), (fd, at, n), fd)
FD_CALL_FAILING(errno, int, posix_fallocate64, (int fd, off64_t at, off64_t n), (fd, at, n), fd)
PATH_CALL(rename, (const char *from, const char *to), (from, to), UNDER(from) || UNDER(to), to)
PATH_CALL(renameat, (int fromFd, const char *from, int toFd, const char *to),
          (fromFd, from, toFd, to), UNDER_AT(fromFd, from) || UNDER_AT(toFd, to), to)
PATH_CALL(renameat2, (int fromFd, const char *from, int toFd, const char *to, unsigned flags),
          (fromFd, from, toFd, to, flags), UNDER_AT(fromFd, from) || UNDER_AT(toFd, to), to)
PATH_CALL(link, (const char *from, const char *to), (from, to), UNDER(to), to)
PATH_CALL(linkat, (int fromFd, const char *from, int toFd, const char *to, int flags),
          (fromFd, from, toFd, to, flags), UNDER_AT(toFd, to), to)
PATH_CALL(unlink, (const char *path), (path), UNDER(path), path)
PATH_CALL(unlinkat, (int dirFd, const char *path, int flags), (dirFd, path, flags),
          UNDER_AT(dirFd, path), path)
PATH_CALL(rmdir, (const char *path), (path), UNDER(path), path)
PATH_CALL(mkdir, (const char *path, mode_t mode), (path, mode), UNDER(path), path)
PATH_CALL(mkdirat, (int dirFd, const char *path, mode_t mode), (dirFd, path, mode),
          UNDER_AT(dirFd, path), path)
PATH_CALL(chmod, (const char *path, mode_t mode), (path, mode), UNDER(path), path)
PATH_CALL(fchmodat, (int dirFd, const char *path, mode_t mode, int flags),
          (dirFd, path, mode, flags), UNDER_AT(dirFd, path), path)
PATH_CALL(truncate, (const char *path, off_t length), (path, length), UNDER(path), path)
PATH_CALL(truncate64, (const char *path, off64_t length), (path, length), UNDER(path), path)
// clang-format on

int close(int fd)
{
    if (fd >= 0 && fd < MaxTrackedFd)
        g_tracked[fd] = 0;
    return REAL(close)(fd);
}
