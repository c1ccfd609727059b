#pragma once
// Whoever watches a run besides its files: a person at a terminal, or the page in a browser.
#include <string_view>

#include "driver/records.h"

// What a run that reached the record loop did.
struct RunSummary {
    long long lines;  // as the log numbers them, empty ones included
    RecordCounts counts;
    std::string_view log_path;
};

struct RunWatcher {
    virtual ~RunWatcher() = default;
    // Each time a buffer of the output goes out: some thousands of lines, never per line.
    virtual void progress(long long lines) = 0;
    // Once, when the record loop has ended, before any message about how the run ends.
    virtual void finished(const RunSummary& summary) = 0;
};
