// The hot functions of the record loop, one at a time, to guide optimisation.
#include <benchmark/benchmark.h>

#include <string>

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
        benchmark::DoNotOptimize(point_in_area(AREA_COUNTY_1965, x, 4555974));
        x += 0.01;
    }
}
BENCHMARK(area_test)->Arg(5411308)->Arg(5300000);

void planar_degree3(benchmark::State& state) {
    for (auto _ : state) {
        double x = 5410000.0;
        double y = 4556000.0;
        benchmark::DoNotOptimize(x);
        transform_point(x, y, 2);
        benchmark::DoNotOptimize(y);
    }
}
BENCHMARK(planar_degree3);

void height_surface(benchmark::State& state) {
    const RunSettings settings{0, 2, 0, 3, 2};
    double h = 250.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(h = transform_height(settings, 5552809.30776888, 7424828.130499425, h));
    }
}
BENCHMARK(height_surface);

void whole_record(benchmark::State& state) {
    NullSink sink;
    TextWriter out(sink, 1 << 16);
    TextWriter log(sink, 1 << 16);
    RecordLoop loop{RunSettings{0, 2, 0, 3, 2}, make_delimiter_set(" "), ";", out, log, 0, {}};
    const std::string_view line = "1234567 5411308.25 4555974.75 250.43\r\n";
    for (auto _ : state) {
        process_record(loop, line);
    }
}
BENCHMARK(whole_record);

}  // namespace

BENCHMARK_MAIN();
