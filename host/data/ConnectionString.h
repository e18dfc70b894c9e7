#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// "Key=Value;Key=Value" as ADO takes it: keys in any letter case, blanks around keys and values
// ignored, values may be quoted with " or ' (a doubled quote inside stands for one). Malformed
// text raises EDatabaseError.
class TConnectionString {
public:
    explicit TConnectionString(std::string_view text);

    // The value of the last pair with that key, or "" when there is none.
    std::string Value(std::string_view key) const;
    std::string Provider() const { return Value("Provider"); }
    std::string DataSource() const { return Value("Data Source"); }

private:
    std::vector<std::pair<std::string, std::string>> pairs_;
};
