#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/sys/Exception.h"
#include "learn/AnswerMode.h"

// The settings could not be saved.
class EPracticeSettingsError : public Exception {
public:
    using Exception::Exception;
};

enum class TPracticeScript { Hiragana, Katakana, Mixed };
enum class TRoundLength { Twenty, Fifty, All };

// The rows of the basic chart, あ行 to ん・っ: the lessons checked on the first run.
std::vector<std::string> BasicLessons();

// The learner's last choices on the practice page; as made, those of the first run.
struct TPracticeSettings {
    TPracticeScript Script = TPracticeScript::Hiragana;
    std::vector<std::string> Lessons = BasicLessons(); // the names of the lessons checked
    TAnswerMode Mode = TAnswerMode::Typed;
    TRoundLength Length = TRoundLength::Twenty;
    bool Speech = true;

    bool operator==(const TPracticeSettings&) const = default;
};

// The questions of a round of that length over so many selected kana.
std::size_t QuestionCount(TRoundLength length, std::size_t selected);

// $XDG_CONFIG_HOME/moraleaf/practice.conf, by default ~/.config/moraleaf/practice.conf.
std::filesystem::path PracticeSettingsPath();

// The settings of a file's text: "key=value" lines (script, mode, round and speech once each,
// lesson once per lesson checked; "#" starts a comment, other keys are left alone), or
// nothing when the text is not such a file.
std::optional<TPracticeSettings> ParsePracticeSettings(std::string_view text);
std::string FormatPracticeSettings(const TPracticeSettings& settings);

// The settings of the file; those of the first run when it is missing or damaged.
TPracticeSettings ReadPracticeSettings(const std::filesystem::path& file);
// Replaces the file at once (a temporary file renamed over it), making its folders;
// EPracticeSettingsError when it cannot.
void WritePracticeSettings(const std::filesystem::path& file, const TPracticeSettings& settings);
