#pragma once
// Fields of an input line and the numeric tokens X, Y and H.
#include <array>
#include <string_view>

// The set of delimiter characters, one flag per byte value, and the decimal point of the numbers.
struct DelimiterSet {
    std::array<bool, 256> has{};
    char decimal_point = '.';     // ',' for a spreadsheet's numbers; the other one is then no number
    bool splits_numbers = false;  // a digit, the point or '-' is a delimiter: numbers take the long way
};

DelimiterSet make_delimiter_set(std::string_view delimiters, char decimal_point = '.');

// Fields are maximal runs of non-delimiters: runs of delimiters separate, and delimiters at either
// end are ignored. Takes the next field from rest; false when there is none.
bool next_field(std::string_view& rest, const DelimiterSet& delimiters, std::string_view& field);

// Every character a digit, the point or '-', in any order and number.
bool is_number_token(std::string_view token, char point = '.');

// The value of the token's longest leading part that forms a decimal number ('-'?, digits with at
// most one point, at least one digit); 0 without such a part. false when that value is beyond the
// range of a double: such a token is not a number. Too small a value reads as 0 or a subnormal.
bool token_value(std::string_view token, double& value, char point = '.');

// is_number_token and token_value in one: false when the token is no number. The common survey
// form, "-"?digits[.digits] with few digits, takes a single pass.
bool read_number(std::string_view token, double& value, char point = '.');

enum class FieldNumber { none, number, not_number };

// next_field and read_number in one: the next field of rest, and whether it is a number (value).
// A field of the common survey form is read in the same pass that finds its end.
FieldNumber next_number(std::string_view& rest, const DelimiterSet& delimiters, double& value);
