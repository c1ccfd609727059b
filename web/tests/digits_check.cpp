// Numbers written and read through the full conversions, where the WebAssembly build has printf and
// strtod in place of to_chars and from_chars: doubles by their bit patterns, survey values, values
// beside ties, and tokens too long for the shortcut. Prints one digest of every byte written and
// every double read; the native build and the WebAssembly build must print the same.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "driver/fields.h"
#include "driver/number_format.h"
#include "support/doubles.h"
#include "support/random.h"

int main() {
    Random numbers{1965};
    std::uint64_t digest = 14695981039346656037ULL;  // FNV-1a
    const auto mix = [&digest](const void* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            digest = (digest ^ static_cast<const unsigned char*>(data)[i]) * 1099511628211ULL;
        }
    };
    MemorySink sink;
    TextWriter out(sink, 1 << 16);
    unsigned long long written = 0;
    for (int i = 0; i < 3000000; ++i) {
        double value = static_cast<double>(numbers.next() % 800000000000ULL) / 1e5;  // 8 million m, 5 places
        if (i % 3 == 1) {
            value = (std::floor(value * 1e3) + 0.5) / 1e3;  // beside a tie at 3 places
        }
        // Any finite double, by its bits; one draw a statement, as their order counts.
        for (bool finite = i % 3 != 2; !finite; finite = value - value == 0) {
            const std::uint64_t high = numbers.next() << 11;
            const std::uint64_t bits = high ^ numbers.next();
            std::memcpy(&value, &bits, sizeof value);
        }
        write_fixed_by_digits(out, value, static_cast<std::int32_t>(numbers.next() % 21));
        out.flush();
        mix(sink.bytes.data(), sink.bytes.size());
        written += sink.bytes.size();
        sink.bytes.clear();
        std::string token = std::to_string(numbers.next() % 1000000000000000000ULL);
        token += std::to_string(numbers.next() % 1000000000);
        const std::size_t point = numbers.next() % token.size();
        token.insert(point, 1, '.');
        double read = 0;
        const bool numeric = token_value(token, read);
        mix(&numeric, sizeof numeric);
        mix(&read, sizeof read);
    }
    std::printf("%016llx after %llu bytes\n", static_cast<unsigned long long>(digest), written);
    return 0;
}
