// Every message the program can write is explained in the manual page, word for word.
#include "driver/messages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

// The Polish letters of Windows-1250 in UTF-8; every other byte of a message is ASCII.
std::string to_utf8(std::string_view cp1250) {
    struct Letter {
        unsigned char code;
        const char* utf8;
    };
    constexpr Letter LETTERS[] = {
        {0xA5, "Ą"}, {0xB9, "ą"}, {0xC6, "Ć"}, {0xE6, "ć"}, {0xCA, "Ę"}, {0xEA, "ę"},
        {0xA3, "Ł"}, {0xB3, "ł"}, {0xD1, "Ń"}, {0xF1, "ń"}, {0xD3, "Ó"}, {0xF3, "ó"},
        {0x8C, "Ś"}, {0x9C, "ś"}, {0x8F, "Ź"}, {0x9F, "ź"}, {0xAF, "Ż"}, {0xBF, "ż"},
    };
    std::string text;
    for (const char c : cp1250) {
        const auto code = static_cast<unsigned char>(c);
        const char* letter = nullptr;
        for (const Letter& l : LETTERS) {
            letter = l.code == code ? l.utf8 : letter;
        }
        EXPECT_TRUE(code < 0x80 || letter != nullptr) << "byte " << int{code} << " in " << cp1250;
        text += letter != nullptr ? std::string(letter) : std::string(1, c);
    }
    return text;
}

TEST(Messages, EachIsExplainedInTheManual) {
    std::ifstream file(ZELWAN_MANUAL, std::ios::binary);
    ASSERT_TRUE(file) << ZELWAN_MANUAL;
    std::ostringstream manual;
    manual << file.rdbuf();
    const char* const messages[] = {
        MSG_CANNOT_CREATE,
        MSG_SEPARATORS_LINE_1,
        MSG_SEPARATORS_LINE_2,
        MSG_READ_FAILED,
        MSG_WRITE_FAILED,
        MSG_BAD_NR,
        MSG_BAD_X,
        MSG_BAD_Y,
        MSG_BAD_H,
        MSG_EXTRA_FIELDS,
        MSG_OUTSIDE_SKAWINA,
        MSG_OUTSIDE_COUNTY,
        MSG_H_OUTSIDE_SKAWINA,
        MSG_H_OUTSIDE_1965,
        MSG_H_OUTSIDE_2000,
        MSG_H_RANGE,
    };
    for (const char* message : messages) {
        std::string text = to_utf8(message);
        text.pop_back();  // its line end
        EXPECT_NE(manual.str().find('"' + text + '"'), std::string::npos) << text;
    }
}

}  // namespace
