#pragma once
// Whoever watches a run besides its files: a person at a terminal, or the page in a browser.
#include <string_view>

#include "driver/summary.h"

struct RunWatcher {
    virtual ~RunWatcher() = default;
    // Each time a buffer of the output goes out: some thousands of lines, never per line.
    virtual void progress(long long lines) = 0;
    // Once, when the record loop has ended, before any message about how the run ends.
    virtual void finished(const RunSummary& summary) = 0;
    // Words for a person (lines, each with its line end): why a start failed, what a code does.
    virtual void note(std::string_view text) { (void)text; }
};
