// The program in the page: its console is the module's standard output, and the page watches the
// run through the same hook as a person at a terminal: the lines done now and then, the summary
// once the record loop has ended, and the words for a person. They go to the module's onProgress,
// onSummary and onNote. The page asks the program, not a copy of its rules, for the names of the
// codes and of the files a run writes (zelwan_describe, zelwan_output_paths).
#include <emscripten.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "driver/run.h"

// clang-format off
EM_JS(void, report_progress, (double lines), {
    if (Module["onProgress"]) Module["onProgress"](lines);
});
EM_JS(void, report_summary, (double lines, double written, double rejected, double format, double outside,
                             double height, double warnings, const char* text), {
    if (Module["onSummary"]) {
        Module["onSummary"]({lines, written, rejected, format, outside, height, warnings, text: UTF8ToString(text)});
    }
});
EM_JS(void, report_note, (const char* text), {
    if (Module["onNote"]) Module["onNote"](UTF8ToString(text));
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
                       static_cast<double>(c.warnings), summary_text(summary).c_str());
    }
    void note(std::string_view text) override { report_note(std::string(text).c_str()); }
};

// A JSON string: the names here are text of the program's own, or a file name the page chose.
void append_json(std::string& json, std::string_view text) {
    json += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            json += escaped;
        } else {
            json += c;
        }
    }
    json += '"';
}

std::string reply;  // what the last call below returned, until the next one

}  // namespace

extern "C" {

// {"directions": [{"code", "from", "to", "heights_system" (null: none),
// "heights_constant"}], "usage"}: what each direction code names, from the program's own table.
EMSCRIPTEN_KEEPALIVE const char* zelwan_describe() {
    reply = "{\"directions\":[";
    int code = 0;
    for (const DirectionCode& row : direction_codes()) {
        reply += code == 0 ? "{\"code\":" : ",{\"code\":";
        reply += std::to_string(code++);
        reply += ",\"from\":";
        append_json(reply, row.transformation.from.name);
        reply += ",\"to\":";
        append_json(reply, row.transformation.to.name);
        reply += ",\"heights_system\":";
        if (row.height_only_system != nullptr) {
            append_json(reply, row.height_only_system->name);
        } else {
            reply += "null";
        }
        const bool constant =
            row.height_only_system != nullptr && row.height_only_system->height_surface == nullptr;
        reply += constant ? ",\"heights_constant\":true}" : ",\"heights_constant\":false}";
    }
    reply += "],\"usage\":";
    append_json(reply, usage_text());
    reply += '}';
    return reply.c_str();
}

// {"output", "log"}: the files a run with these two arguments writes, by the program's own rules.
EMSCRIPTEN_KEEPALIVE const char* zelwan_output_paths(const char* input_path, const char* output_directory) {
    const OutputPaths paths = build_output_paths(input_path, output_directory);
    reply = "{\"output\":";
    append_json(reply, paths.output);
    reply += ",\"log\":";
    append_json(reply, paths.log);
    reply += '}';
    return reply.c_str();
}

}  // extern "C"

int run(int argc, char* argv[]) {
    StreamSink out(stdout);
    PageWatcher page;
    Console console{out, &page};
    return run(argc, argv, console);
}
