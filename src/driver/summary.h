#pragma once
// What a run that reached the record loop did: the counts the loop keeps, and the one summary line
// the terminal and the page show.
#include <string>
#include <string_view>

struct RecordCounts {
    long long written = 0;     // points written converted
    long long bad_format = 0;  // format messages, the NR one included
    long long outside = 0;     // outside the area
    long long bad_height = 0;  // H outside 100 to 600 m
    long long warnings = 0;    // extra fields dropped
    long long rejected() const { return bad_format + outside + bad_height; }
};

struct RunSummary {
    long long lines;  // as the log numbers them, empty ones included
    RecordCounts counts;
    std::string_view log_path;
};

// "zelwan: linie 14, zapisane 5, odrzucone 9 (format 2, poza obszarem 6, H 1), ostrzezenia 1,
// log punkty_wynik.txt.log", without a line end. Plain ASCII: a Windows console would garble more.
std::string summary_text(const RunSummary& summary);
