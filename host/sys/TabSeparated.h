#pragma once
#include <string_view>
#include <vector>

// The fields of one tab-separated line, as they stand (any escaping is the caller's).
inline std::vector<std::string_view> SplitAtTabs(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return fields;
        line.remove_prefix(tab + 1);
    }
}
