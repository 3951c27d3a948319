#include "recordwriter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tavex::boardsim {

RecordWriter::~RecordWriter()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RecordWriter::open(const std::string &path, std::string &error)
{
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void RecordWriter::writeLine(const std::string &line)
{
    if (m_fd < 0)
        return;
    const std::string out = line + '\n';
    const char *data = out.data();
    size_t left = out.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, data, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return; // a full disk should not stop the board
        }
        data += n;
        left -= size_t(n);
    }
}

} // namespace tavex::boardsim
