// The hot functions of the record loop, one at a time, to guide optimisation.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "driver/command_line.h"
#include "driver/fields.h"
#include "driver/number_format.h"
#include "driver/records.h"
#include "geodesy/area.h"
#include "geodesy/height.h"
#include "geodesy/planar.h"

namespace {

struct NullSink final : ByteSink {
    bool write(const char*, std::size_t) override { return true; }
};

void token_check_and_parse(benchmark::State& state) {
    const std::string_view token = "5541276.40";
    for (auto _ : state) {
        double value = 0;
        benchmark::DoNotOptimize(is_number_token(token) && token_value(token, value));
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(token_check_and_parse);

void number_writing(benchmark::State& state) {
    NullSink sink;
    TextWriter out(sink, 1 << 16);
    double value = 5538631.753906369;
    for (auto _ : state) {
        write_fixed(out, value, static_cast<std::int32_t>(state.range(0)));
        value += 0.001;
    }
}
BENCHMARK(number_writing)->Arg(1)->Arg(2)->Arg(3)->Arg(8);

// Argument: the starting X, inside the county (5411308) or beyond its box (5300000).
void area_test(benchmark::State& state) {
    auto x = static_cast<double>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(zelwan::point_in_area(zelwan::AREA_COUNTY_1965, x, 4555974));
        x += 0.01;
    }
}
BENCHMARK(area_test)->Arg(5411308)->Arg(5300000);

void planar_degree3(benchmark::State& state) {
    zelwan::Point point{5410000.0, 4556000.0, 0.0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(point);
        benchmark::DoNotOptimize(zelwan::transform_point(zelwan::Direction::from_1965, point));
    }
}
BENCHMARK(planar_degree3);

void height_surface(benchmark::State& state) {
    const zelwan::HeightCorrection correction{zelwan::CoordinateSystem::zone7_2000,
                                              zelwan::HeightSense::forward};
    double h = 250.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            h = zelwan::correct_height(correction, 5552809.30776888, 7424828.130499425, h));
    }
}
BENCHMARK(height_surface);

// One line so many times, then the end of the input.
struct RepeatedLine final : ByteSource {
    std::string_view line;
    long long lines_left;
    RepeatedLine(std::string_view l, long long count) : line(l), lines_left(count) {}
    long read(char* buffer, std::size_t size) override {
        std::size_t n = 0;
        for (; lines_left > 0 && size - n >= line.size(); --lines_left) {
            std::memcpy(buffer + n, line.data(), line.size());
            n += line.size();
        }
        return static_cast<long>(n);
    }
};

// The whole road of a line through the loop, read, checked, converted and written: per line.
void whole_record(benchmark::State& state) {
    constexpr long long LINES = 1000;
    NullSink sink;
    TextWriter out(sink, 1 << 16);
    TextWriter log(sink, 1 << 16);
    const RunPlan plan = make_run_plan({0, 2, 0, 3, 2});
    for (auto _ : state) {
        RepeatedLine source{"1234567 5411308.25 4555974.75 250.43\r\n", LINES};
        LineReader reader(source, 1 << 16);
        RecordLoop loop{plan, make_delimiter_set(" "), ";", out, log, 0, {}};
        benchmark::DoNotOptimize(process_records(loop, reader));
    }
    state.SetItemsProcessed(state.iterations() * LINES);
}
BENCHMARK(whole_record);

}  // namespace

BENCHMARK_MAIN();
