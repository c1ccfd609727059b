#pragma once
// Test doubles of the byte streams: memory in place of files, and sinks that refuse.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "driver/text_io.h"

// Hands its bytes out a chunk at a time, to exercise refills; optionally a read error at the end.
struct MemorySource final : ByteSource {
    std::string_view bytes;
    std::size_t chunk = 4096;
    bool fails_at_end = false;
    explicit MemorySource(std::string_view b, std::size_t chunk_size = 4096) : bytes(b), chunk(chunk_size) {}
    long read(char* buffer, std::size_t size) override {
        if (bytes.empty()) {
            return fails_at_end ? -1 : 0;
        }
        const std::size_t n = std::min({size, chunk, bytes.size()});
        std::memcpy(buffer, bytes.data(), n);
        bytes.remove_prefix(n);
        return static_cast<long>(n);
    }
};

// Keeps what it takes. A write that would pass `room` bytes is refused; with refuses_once the
// room is unlimited again afterwards, so a writer that resumes after a failure shows.
struct MemorySink final : ByteSink {
    std::string bytes;
    std::size_t room = std::string::npos;
    bool refuses_once = false;
    bool closes = true;
    bool write(const char* data, std::size_t size) override {
        if (size > room - bytes.size()) {
            room = refuses_once ? std::string::npos : room;
            return false;
        }
        bytes.append(data, size);
        return true;
    }
    bool close() override { return closes; }
};
