#pragma once

#include <string>

namespace tavex::boardsim {

// The --record file. Each line goes out with a single write() so a reader
// sees whole lines as soon as the byte was received.
class RecordWriter
{
public:
    RecordWriter() = default;
    ~RecordWriter();
    RecordWriter(const RecordWriter &) = delete;
    RecordWriter &operator=(const RecordWriter &) = delete;

    // Creates or truncates the file. On failure returns false and sets error.
    bool open(const std::string &path, std::string &error);
    bool isOpen() const { return m_fd >= 0; }

    // Appends line plus a newline; does nothing when no file is open.
    void writeLine(const std::string &line);

private:
    int m_fd = -1;
};

} // namespace tavex::boardsim
