// The buffered standard output of the command-line tool.
#include "cli/text_output.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "text/cp1252.h"

namespace gramarbor::cli {

TextOutput::TextOutput(int fd, std::size_t capacity) : Fd(fd), Capacity(capacity) {
    Buffer.reserve(Capacity);
}

TextOutput::~TextOutput() {
    Flush();
}

void TextOutput::Write(std::string_view bytes) {
    if (Failed()) return;
    if (Buffer.size() + bytes.size() <= Capacity) {
        Buffer.append(bytes);
        return;
    }
    Flush();
    // A piece larger than the buffer goes out directly, without a copy.
    if (bytes.size() >= Capacity)
        WriteThrough(bytes.data(), bytes.size());
    else
        Buffer.append(bytes);
}

void TextOutput::Put(char c) {
    if (Buffer.size() >= Capacity) Flush();
    if (!Failed()) Buffer.push_back(c);
}

void TextOutput::Line(std::string_view cp1252Text) {
    if (IsAscii(cp1252Text))
        Write(cp1252Text);
    else
        Write(Cp1252ToUtf8(cp1252Text));
    Put('\n');
}

bool TextOutput::Flush() {
    if (!Buffer.empty() && !Failed()) WriteThrough(Buffer.data(), Buffer.size());
    Buffer.clear();
    return !Failed();
}

std::string TextOutput::ErrorText() const {
    return ErrorNumber == 0 ? std::string() : std::string(std::strerror(ErrorNumber));
}

void TextOutput::WriteThrough(const char* data, std::size_t size) {
    while (size > 0 && !Failed()) {
        const ssize_t written = ::write(Fd, data, size);
        if (written < 0) {
            if (errno != EINTR) ErrorNumber = errno;
            continue;
        }
        if (written == 0) {
            ErrorNumber = EIO;
            break;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

TextOutput& StdOut() {
    static TextOutput output(STDOUT_FILENO);
    return output;
}

} // namespace gramarbor::cli
