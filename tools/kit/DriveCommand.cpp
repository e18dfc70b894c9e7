// moraleaf-kit drive SCRIPT|-: plays a script of input on the main window on the headless
// desktop; "-" reads it from standard input, each line played as it arrives.
#include <iostream>
#include <string>

#include "host/sys/Files.h"
#include "tools/kit/Commands.h"
#include "tools/kit/DriveSession.h"

namespace {

// Reads script lines from a stream as they come, so that whoever writes them can look at what
// one did before writing the next.
class TStreamedScript {
public:
    explicit TStreamedScript(std::istream& in)
        : in_(in)
    {
    }

    std::optional<TDriveCommand> Next()
    {
        std::string row;
        while (std::getline(in_, row)) {
            try {
                if (std::optional<TDriveCommand> command = ParseDriveLine(row, ++line_))
                    return command;
            } catch (const EDriveScriptError&) {
                unreadable_ = true;
                throw;
            }
        }
        return std::nullopt;
    }
    // A line could not be read (rather than played).
    bool Unreadable() const { return unreadable_; }

private:
    std::istream& in_;
    int line_ = 0;
    bool unreadable_ = false;
};

// Error boxes are reported as they come and every output is flushed before the next command,
// so that a reader of standard error or of the files is never behind the script.
class TErrorReport {
public:
    explicit TErrorReport(const TDriveSession& session)
        : session_(session)
    {
    }
    void Flush()
    {
        const std::vector<std::string>& errors = session_.Errors();
        for (; reported_ < errors.size(); ++reported_)
            std::cerr << "error box: " << errors[reported_] << '\n';
        std::cout.flush();
        std::cerr.flush();
    }

private:
    const TDriveSession& session_;
    std::size_t reported_ = 0;
};

} // namespace

int DriveCommand(std::span<const std::string> args)
{
    if (args.size() != 1) {
        std::cerr << "usage: moraleaf-kit drive SCRIPT|-\n";
        return 2;
    }
    const bool streamed = args[0] == "-";
    const std::string scriptName = streamed ? "standard input" : args[0];
    std::vector<TDriveCommand> script;
    if (!streamed) {
        try {
            const std::vector<std::uint8_t> bytes = ReadFileBytes(args[0]);
            script = ParseDriveScript(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        } catch (const EDriveScriptError& e) {
            std::cerr << "moraleaf-kit drive: " << scriptName << ": " << e.Message() << '\n';
            return 2;
        } catch (const EFOpenError& e) {
            std::cerr << "moraleaf-kit drive: " << e.Message() << '\n';
            return 2;
        }
    }
    TDriveSession session;
    TErrorReport report(session);
    TStreamedScript input(std::cin);
    std::size_t next = 0;
    const TDriveSource source = [&]() -> std::optional<TDriveCommand> {
        report.Flush();
        if (streamed)
            return input.Next();
        if (next == script.size())
            return std::nullopt;
        return script[next++];
    };
    try {
        session.Play(source);
    } catch (const EDriveScriptError& e) {
        report.Flush();
        std::cerr << "moraleaf-kit drive: " << scriptName << ": " << e.Message() << '\n';
        return input.Unreadable() ? 2 : 1;
    }
    session.Close();
    report.Flush();
    return 0;
}
