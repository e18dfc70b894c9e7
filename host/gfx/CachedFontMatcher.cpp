#include "host/gfx/CachedFontMatcher.h"

#include "host/sys/Files.h"

namespace {

// A run asks for a few fonts and fallback characters; this bounds the file when texts bring
// many characters that no face has.
constexpr std::size_t kMaxAnswers = 1024;
constexpr std::uintmax_t kMaxFileBytes = 1 << 20;

std::optional<FontMatches> ReadMatches(const std::filesystem::path& file)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > kMaxFileBytes)
        return std::nullopt;
    try {
        const std::vector<std::uint8_t> bytes = ReadFileBytes(file.string());
        return ParseFontMatches(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const EFOpenError&) {
        return std::nullopt;
    }
}

} // namespace

CachedFontMatcher::CachedFontMatcher(std::filesystem::path file)
    : file_(std::move(file))
{
    if (std::optional<FontMatches> read = ReadMatches(file_); read && StillValid(*read))
        matches_ = std::move(*read);
}

CachedFontMatcher::~CachedFontMatcher() = default;

std::optional<FontCandidate> CachedFontMatcher::First(
    const FontRequest& request, const std::function<bool(const FontCandidate&)>& usable)
{
    if (const auto known = matches_.Answers.find(request); known != matches_.Answers.end()) {
        if (!known->second)
            return std::nullopt;
        if (usable(*known->second))
            return known->second;
    }
    std::optional<FontCandidate> answer;
    for (FontCandidate& candidate : Matcher().Candidates(request.Family, request.Bold, request.Italic, request.CodePoint)) {
        if (usable(candidate)) {
            answer = std::move(candidate);
            break;
        }
    }
    if (matches_.Answers.size() < kMaxAnswers || matches_.Answers.contains(request)) {
        matches_.Answers[request] = answer;
        Save();
    }
    return answer;
}

// Fontconfig, set up on first need; the answers then depend on what it has just read.
FontMatcher& CachedFontMatcher::Matcher()
{
    if (matcher_)
        return *matcher_;
    matcher_ = std::make_unique<FontMatcher>();
    matches_.Environment = FontEnvironment();
    matches_.Stamps.clear();
    for (const std::string& source : matcher_->Sources())
        matches_.Stamps.push_back(FileStamp::Of(source));
    return *matcher_;
}

void CachedFontMatcher::Save() const
{
    FontMatches saved = matches_;
    for (const auto& [request, answer] : matches_.Answers)
        if (answer)
            saved.Stamps.push_back(FileStamp::Of(answer->File));
    // A cache that cannot be written is no fault: the next start asks fontconfig again.
    ReplaceFileContent(file_, FormatFontMatches(saved));
}
