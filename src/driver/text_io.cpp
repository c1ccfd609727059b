#include "driver/text_io.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr char CTRL_Z = '\x1A';
// The raw bytes one piece can take: 998 characters, then CR LF read as its line feed.
constexpr std::size_t PIECE_RAW_MAX = LINE_PIECE_MAX + 1;
// What the line-end filter takes from its source at a time.
constexpr std::size_t TAKEN_SIZE = std::size_t{1} << 16;

// The first CR in [from, stop) with no LF right after it, or stop: CR LF, the common line end, is
// passed on as it is.
const char* first_lone_cr(const char* from, const char* stop) {
    const auto next_cr = [stop](const char* at) {
        const void* cr = std::memchr(at, '\r', static_cast<std::size_t>(stop - at));
        return cr == nullptr ? stop : static_cast<const char*>(cr);
    };
    const char* cr = next_cr(from);
    while (cr + 1 < stop && cr[1] == '\n') {
        cr = next_cr(cr + 2);
    }
    return cr;
}

}  // namespace

FileHandle open_file(const char* path, const char* mode) {
    FileHandle file(std::fopen(path, mode));
    if (file) {
        // If refused, stdio buffers as well, and close() still reports a write that was lost.
        (void)std::setvbuf(file.get(), nullptr, _IONBF, 0);
    }
    return file;
}

long FileSource::read(char* buffer, std::size_t size) {
    const std::size_t n = std::fread(buffer, 1, size, file.get());
    if (n == 0) {
        return std::ferror(file.get()) != 0 ? -1 : 0;
    }
    return static_cast<long>(n);
}

bool FileSink::write(const char* data, std::size_t size) {
    return std::fwrite(data, 1, size, file.get()) == size;
}

bool FileSink::close() {
    return std::fclose(file.release()) == 0;
}

LoneCrSource::LoneCrSource(ByteSource& s) : source(s), taken(new char[TAKEN_SIZE]) {}

long LoneCrSource::read(char* buffer, std::size_t size) {
    if (begin == end && held_crs == 0 && passing_crs == 0 && !lf_owed && !source_ended && !source_failed) {
        // Straight into the reader's buffer, and handed on as it stands up to a lone CR, if any.
        const long got = source.read(buffer, std::min(size, TAKEN_SIZE));
        source_failed = got < 0;
        source_ended = got == 0;
        const char* const stop = buffer + std::max(got, 0L);
        const char* const cr = first_lone_cr(buffer, stop);
        begin = 0;
        end = static_cast<std::size_t>(stop - cr);
        std::memcpy(taken.get(), cr, end);  // the rest takes the long way below
        if (cr != buffer || got <= 0) {
            return got <= 0 ? got : cr - buffer;
        }
    }
    std::size_t n = 0;
    while (n < size) {
        if (lf_owed) {
            buffer[n++] = '\n';
            lf_owed = false;
        } else if (passing_crs > 0) {
            buffer[n++] = '\r';
            --passing_crs;
            lf_owed = passing_lone;
        } else if (held_crs > 0 && begin < end && taken[begin] == '\r') {
            ++held_crs;  // the run goes on in what arrived since
            ++begin;
        } else if (held_crs > 0 && (begin < end || source_ended)) {
            passing_lone = begin == end || taken[begin] != '\n';  // the end of the input, or not a LF
            passing_crs = held_crs;
            held_crs = 0;
        } else if (begin < end) {
            const char* const from = taken.get() + begin;
            const std::size_t plain = static_cast<std::size_t>(first_lone_cr(from, taken.get() + end) - from);
            const std::size_t k = std::min(plain, size - n);
            std::memcpy(buffer + n, from, k);
            n += k;
            begin += k;
            for (; k == plain && begin < end && taken[begin] == '\r'; ++begin) {
                ++held_crs;
            }
        } else if (source_ended || source_failed || n > 0) {
            break;  // what is there goes on now: a pipe may be slow to bring more
        } else {
            const long got = source.read(taken.get(), TAKEN_SIZE);
            source_failed = got < 0;
            source_ended = got == 0;
            begin = 0;
            end = got > 0 ? static_cast<std::size_t>(got) : 0;
            held_crs = source_failed ? 0 : held_crs;  // nobody knows what followed that run
        }
    }
    if (n == 0 && source_failed) {
        return -1;
    }
    return static_cast<long>(n);
}

bool StreamSink::write(const char* data, std::size_t size) {
    return std::fwrite(data, 1, size, stream) == size;
}

bool StreamSink::close() {
    return std::fflush(stream) == 0;
}

bool is_terminal(std::FILE* stream) {
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;  // also true for NUL, where writing costs nothing
#else
    return isatty(fileno(stream)) != 0;
#endif
}

std::string_view line_content(std::string_view piece) {
    std::size_t cut = 0;
    // Eight bytes at a time while none of them lies below 0x0E, where the three cut bytes are; a
    // byte of 0x80 or more never looks low, and a word that does is looked at byte by byte.
    constexpr std::uint64_t ONES = 0x0101010101010101;
    constexpr std::uint64_t HIGH_BITS = 0x8080808080808080;
    for (std::uint64_t word = 0; cut + sizeof word <= piece.size(); cut += sizeof word) {
        std::memcpy(&word, piece.data() + cut, sizeof word);
        if (((word - ONES * 0x0E) & ~word & HIGH_BITS) != 0) {
            break;
        }
    }
    while (cut < piece.size()) {
        const auto c = static_cast<unsigned char>(piece[cut]);
        if (c <= '\r' && (c == '\n' || c == '\r' || c == '\0')) {
            break;
        }
        ++cut;
    }
    return piece.substr(0, cut);
}

LineReader::LineReader(ByteSource& s, std::size_t buffer_size)
    : source(s), buffer(std::max(buffer_size, 4 * PIECE_RAW_MAX)) {}

void LineReader::refill() {
    if (begin > 0) {
        std::memmove(buffer.data(), buffer.data() + begin, end - begin);
        end -= begin;
        begin = 0;
    }
    // Keep a whole piece and one byte of look-ahead in view, however short the reads are.
    while (!source_done && end <= PIECE_RAW_MAX) {
        const long n = source.read(buffer.data() + end, buffer.size() - end);
        if (n < 0) {
            drop_unfinished_line();
            return;
        }
        if (n == 0) {
            source_done = true;
        }
        end_at_ctrl_z(static_cast<std::size_t>(n));
    }
}

// Each byte is looked at once for Ctrl-Z, as it arrives, rather than once per line.
void LineReader::end_at_ctrl_z(std::size_t arrived) {
    if (const void* z = std::memchr(buffer.data() + end, CTRL_Z, arrived)) {
        end = static_cast<std::size_t>(static_cast<const char*>(z) - buffer.data());
        source_done = true;  // nothing after Ctrl-Z is ever read
        return;
    }
    end += arrived;
}

// A line cut short by a read error is not handed out: nobody knows how it went on.
void LineReader::drop_unfinished_line() {
    const std::string_view held(buffer.data() + begin, end - begin);
    const std::size_t last_lf = held.rfind('\n');
    end = last_lf == std::string_view::npos ? begin : begin + last_lf + 1;
    read_error = true;
    source_done = true;
}

bool LineReader::prime() {
    refill();
    return !read_error;
}

bool LineReader::next(std::string_view& piece) {
    if (state != State::reading) {
        return false;
    }
    if (end - begin <= PIECE_RAW_MAX && !source_done) {
        refill();
    }
    const char* start = buffer.data() + begin;
    const std::size_t window = std::min(end - begin, PIECE_RAW_MAX);
    if (window == 0) {
        state = read_error ? State::failed : State::end;
        return false;
    }
    std::size_t length = std::min(window, LINE_PIECE_MAX);
    if (const void* lf = std::memchr(start, '\n', window)) {
        const std::size_t k = static_cast<std::size_t>(static_cast<const char*>(lf) - start);
        // CR LF counts as one character: a line feed at raw index 999 still fits after a CR.
        if (k < LINE_PIECE_MAX || start[k - 1] == '\r') {
            length = k + 1;
        }
    }
    piece = std::string_view(start, length);
    begin += length;
    return true;
}

TextWriter::TextWriter(ByteSink& s, std::size_t buffer_size)
    : sink(s), buffer(std::max<std::size_t>(buffer_size, 256)) {}

bool TextWriter::flush() {
    if (!failed && used > 0 && !sink.write(buffer.data(), used)) {
        failed = true;
    }
    used = 0;
    return !failed;
}

void TextWriter::write_past_buffer(std::string_view text) {
    flush();
    if (text.size() >= buffer.size()) {
        if (!failed && !sink.write(text.data(), text.size())) {
            failed = true;
        }
        return;
    }
    std::memcpy(buffer.data() + used, text.data(), text.size());
    used += text.size();
}

void TextWriter::put(char c) {
    *reserve(1) = c;
    ++used;
}

void TextWriter::repeat(char c, std::size_t count) {
    while (count > 0) {
        const std::size_t room = buffer.size() - used;
        const std::size_t n = std::min(count, room == 0 ? buffer.size() : room);
        char* at = reserve(n);
        std::memset(at, c, n);
        used += n;
        count -= n;
    }
}
