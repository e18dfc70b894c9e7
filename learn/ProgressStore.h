#pragma once
#include <array>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "host/sys/Exception.h"
#include "learn/AnswerMode.h"
#include "learn/KanaKey.h"
#include "learn/Scheduler.h"

// A notice about the progress file, raised once the store works again: the file was damaged
// and put aside for a fresh one, or progress is kept in memory only and not saved.
class EProgressFileError : public Exception {
public:
    using Exception::Exception;
};

// $XDG_DATA_HOME/moraleaf/progress.db, by default ~/.local/share/moraleaf/progress.db.
std::filesystem::path ProgressFilePath();

struct TAnswerRecord {
    std::chrono::sys_seconds Time;
    TKanaKey Kana;
    std::string Given; // as typed or chosen
    bool Right;
    TAnswerMode Mode;
    int Milliseconds; // from the question shown to the answer given
};

struct TDayAnswers {
    int Right = 0;
    int Wrong = 0;

    bool operator==(const TDayAnswers&) const = default;
};

// The learner's answers and every kana's Leitner box, in an SQLite file (WAL, one
// transaction per answer, so a killed program loses at most the answer being written).
class TProgressStore {
public:
    static constexpr int kSchemaVersion = 1;

    // A store in memory until Open.
    TProgressStore();
    ~TProgressStore();
    TProgressStore(const TProgressStore&) = delete;
    TProgressStore& operator=(const TProgressStore&) = delete;

    // Opens the file, creating it and its folders when missing. A file that is damaged or not
    // SQLite is renamed to "FILE.damaged-TIME" (its -wal and -shm beside it) and a fresh file
    // takes its place; a file that cannot be written (or comes from a newer program) leaves
    // the store in memory. Either raises EProgressFileError, with the store ready for use.
    void Open(const std::filesystem::path& file, std::chrono::sys_seconds now);

    const std::filesystem::path& File() const { return file_; }
    // Whether answers reach the file (false in memory).
    bool Saved() const { return saved_; }

    // Adds an answer and the kana's new box in one transaction. When the file can no longer be
    // written the store moves to memory with all it holds, keeps the answer, and raises
    // EProgressFileError once.
    void Record(const TAnswerRecord& answer, const TBoxState& box);

    // Readings raise EProgressFileError when the file cannot be read.
    TBoxStates Boxes() const;
    // The number of kana of a script in each box, the first box first.
    std::array<int, kLastBox> BoxCounts(TKanaScript script) const;
    // The answers of the last seven days, today last; days begin at local midnight, local
    // time being `utcOffset` ahead of UTC.
    std::array<TDayAnswers, 7> LastDays(std::chrono::sys_seconds now, std::chrono::seconds utcOffset) const;

private:
    struct TConnection;

    TConnection& Connection() const;
    void OpenInMemory();

    std::filesystem::path file_;
    bool saved_ = false;
    mutable std::unique_ptr<TConnection> connection_;
};

// How far local time is ahead of UTC at a moment, for LastDays.
std::chrono::seconds LocalUtcOffset(std::chrono::sys_seconds at);
