// The tool's standard output: one buffer, handed to the system in large blocks, so
// that millions of tree lines cost little more than their bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace gramarbor::cli {

class TextOutput {
public:
    // Writes to the open file descriptor fd, which stays open.
    explicit TextOutput(int fd, std::size_t capacity = std::size_t(1) << 17);
    ~TextOutput();
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;

    // Appends bytes (UTF-8). After a failed write everything further is dropped.
    void Write(std::string_view bytes);
    void Put(char c);
    // Windows-1252 text as UTF-8, then a line feed.
    void Line(std::string_view cp1252Text);

    // Hands everything buffered to the system; false once a write has failed.
    bool Flush();
    bool Failed() const { return ErrorNumber != 0; }
    // The system's text for the failed write ("Broken pipe", "No space left on device").
    std::string ErrorText() const;

private:
    void WriteThrough(const char* data, std::size_t size);

    int Fd;
    std::string Buffer;
    std::size_t Capacity;
    int ErrorNumber = 0;
};

// The output on file descriptor 1.
TextOutput& StdOut();

} // namespace gramarbor::cli
