#pragma once
// Reading and writing text the same way on every platform: files are opened in binary and the
// text rules are ours. A CR LF pair is one line end, a byte 0x1A ends the file, lines are taken
// at most 999 characters at a time, and every line written ends with CR LF.
#include <charconv>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

// Where bytes come from: a file, or memory in tests and the fuzzer.
struct ByteSource {
    virtual ~ByteSource() = default;
    // Up to size bytes into buffer: the count read, 0 at the end, -1 on a read error.
    virtual long read(char* buffer, std::size_t size) = 0;
};

// Where bytes go. write() is all or nothing: false when the bytes could not all be written.
struct ByteSink {
    virtual ~ByteSink() = default;
    virtual bool write(const char* data, std::size_t size) = 0;
    // false when the last data could not be written out.
    virtual bool close() { return true; }
};

struct FileCloser {
    void operator()(std::FILE* file) const {
        (void)std::fclose(file);  // result wanted only where close() is called
    }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opened in binary, so that line ends and Ctrl-Z follow our own text rules, and unbuffered,
// because our own buffers are the only ones. Empty when it cannot be opened.
FileHandle open_file(const char* path, const char* mode);

struct FileSource final : ByteSource {
    FileHandle file;
    explicit FileSource(FileHandle f) : file(std::move(f)) {}
    long read(char* buffer, std::size_t size) override;
};

struct FileSink final : ByteSink {
    FileHandle file;
    explicit FileSink(FileHandle f) : file(std::move(f)) {}
    bool write(const char* data, std::size_t size) override;
    bool close() override;
};

// The point file's line ends, as every editor reads them: a CR that is not one of a run of CRs
// followed by LF ends its line by itself (an old Mac's line end, or a stray CR inside a line). Such a
// CR is passed on as CR LF, so that the line reader's rules (a LF ends a line, a CR LF is one line
// end, the content ends at the first CR) split the file where an editor would; every other byte
// passes unchanged. Whether a run is followed by LF is known only when the byte after it arrives:
// the run is counted until then, however long, and never kept in memory.
struct LoneCrSource final : ByteSource {
    explicit LoneCrSource(ByteSource& s);
    long read(char* buffer, std::size_t size) override;

private:
    ByteSource& source;
    std::unique_ptr<char[]> taken;  // read from the source, not yet passed on
    std::size_t begin = 0;
    std::size_t end = 0;
    long long held_crs = 0;     // a run whose follower has not arrived
    long long passing_crs = 0;  // a run being passed on
    bool passing_lone = false;  // each of them with a LF after it
    bool lf_owed = false;       // the LF after a lone CR that did not fit
    bool source_ended = false;
    bool source_failed = false;
};

// A stream someone else owns and closes, such as standard output; close() only flushes it.
struct StreamSink final : ByteSink {
    std::FILE* stream;
    explicit StreamSink(std::FILE* s) : stream(s) {}
    bool write(const char* data, std::size_t size) override;
    bool close() override;
};

// Whether the stream is a terminal, where a person may be watching.
bool is_terminal(std::FILE* stream);

// The decimal digits of number, kept in digits.
inline constexpr std::size_t INTEGER_TEXT_SIZE = 24;
inline std::string_view integer_text(long long number, char (&digits)[INTEGER_TEXT_SIZE]) {
    return {digits,
            static_cast<std::size_t>(std::to_chars(digits, digits + INTEGER_TEXT_SIZE, number).ptr - digits)};
}

// Bytes taken once and never cleared: a short run touches only the few pages it uses.
struct RawBuffer {
    std::unique_ptr<char[]> bytes;
    std::size_t length;
    explicit RawBuffer(std::size_t n) : bytes(new char[n]), length(n) {}
    char* data() const { return bytes.get(); }
    std::size_t size() const { return length; }
};

// A line piece holds at most this many characters, its line feed included when it fits.
inline constexpr std::size_t LINE_PIECE_MAX = 999;

// Cuts a piece at its first line feed, carriage return or NUL: the line's content.
std::string_view line_content(std::string_view piece);

struct LineReader {
    enum class State { reading, end, failed };

    ByteSource& source;
    RawBuffer buffer;
    std::size_t begin = 0;     // first unread byte
    std::size_t end = 0;       // one past the last byte read
    bool source_done = false;  // end of the source, a 0x1A or a read error: read nothing more
    bool read_error = false;   // the whole lines read before it are still handed out
    State state = State::reading;

    LineReader(ByteSource& s, std::size_t buffer_size);

    // Fills the buffer once, so that an input that cannot be read at all fails here.
    bool prime();

    // The next piece: its raw bytes, the line end included. false at the end or on a read error.
    bool next(std::string_view& piece);

private:
    void refill();
    void drop_unfinished_line();
    void end_at_ctrl_z(std::size_t arrived);
};

// Buffered writer with CR LF line ends. The first failed write sticks: nothing more is written.
struct TextWriter {
    ByteSink& sink;
    RawBuffer buffer;
    std::size_t used = 0;
    bool failed = false;

    TextWriter(ByteSink& s, std::size_t buffer_size);

    // Inline for the few short pieces of every line (a separator, a line end, a point's number):
    // short ones byte by byte, spared a call of memcpy; the rest through write_past_buffer.
    void write(std::string_view text) {
        if (buffer.size() - used < text.size()) {
            write_past_buffer(text);
            return;
        }
        char* at = buffer.data() + used;
        if (text.size() <= 8) {
            for (const char c : text) {
                *at++ = c;
            }
        } else {
            std::memcpy(at, text.data(), text.size());
        }
        used += text.size();
    }
    void put(char c);
    void repeat(char c, std::size_t count);
    void end_line() { write("\r\n"); }
    // Writes out what is buffered; false once anything failed.
    bool flush();

    // Room for at least n bytes at buffer.data() + used, flushing first when needed.
    char* reserve(std::size_t n) {
        if (buffer.size() - used < n) {
            flush();
        }
        return buffer.data() + used;
    }

private:
    void write_past_buffer(std::string_view text);
};
