#pragma once

#include "platform/DurableFile.h"

#include <cerrno>
#include <unistd.h>

// An open descriptor that is closed on every path out, so a raised error never leaks it.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }
    // A failing close can report a deferred write error, so it is checked where data matters.
    void closeChecked()
    {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0 && errno != EINTR)
            DurableFile::raiseErrno(errno);
    }

private:
    int m_fd;
};
