// The program in the page: its console is the module's standard output, and the page watches the
// run through the same hook as a person at a terminal: the lines done now and then, and the
// summary once the record loop has ended. Both go to the module's onProgress and onSummary.
#include <emscripten.h>

#include <cstdio>

#include "driver/run.h"

// clang-format off
EM_JS(void, report_progress, (double lines), {
    if (Module["onProgress"]) Module["onProgress"](lines);
});
EM_JS(void, report_summary, (double lines, double written, double rejected, double format, double outside,
                             double height, double warnings), {
    if (Module["onSummary"]) {
        Module["onSummary"]({lines, written, rejected, format, outside, height, warnings});
    }
});
// clang-format on

namespace {

struct PageWatcher final : RunWatcher {
    void progress(long long lines) override { report_progress(static_cast<double>(lines)); }
    void finished(const RunSummary& summary) override {
        const RecordCounts& c = summary.counts;
        report_summary(static_cast<double>(summary.lines), static_cast<double>(c.written),
                       static_cast<double>(c.rejected()), static_cast<double>(c.bad_format),
                       static_cast<double>(c.outside), static_cast<double>(c.bad_height),
                       static_cast<double>(c.warnings));
    }
};

}  // namespace

int run(int argc, char* argv[]) {
    StreamSink out(stdout);
    PageWatcher page;
    Console console{out, &page};
    return run(argc, argv, console);
}
