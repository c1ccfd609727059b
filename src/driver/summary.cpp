#include "driver/summary.h"

#include <utility>

#include "driver/messages.h"
#include "driver/text_io.h"

std::string summary_text(const RunSummary& summary) {
    const RecordCounts& c = summary.counts;
    const std::pair<const char*, long long> parts[] = {
        {SUMMARY_LINES, summary.lines}, {SUMMARY_WRITTEN, c.written}, {SUMMARY_REJECTED, c.rejected()},
        {SUMMARY_FORMAT, c.bad_format}, {SUMMARY_OUTSIDE, c.outside}, {SUMMARY_HEIGHT, c.bad_height},
        {SUMMARY_WARNINGS, c.warnings},
    };
    std::string text;
    for (const auto& [label, count] : parts) {
        char digits[INTEGER_TEXT_SIZE];
        text += label;
        text += integer_text(count, digits);
    }
    text += SUMMARY_LOG;
    text += summary.log_path;
    return text;
}
