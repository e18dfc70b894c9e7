// moraleaf-kit db ...: makes, lists, queries, exports and imports kana databases.
#include <iostream>
#include <optional>
#include <vector>

#include "tools/kit/Commands.h"
#include "tools/kit/DatabaseListing.h"
#include "tools/kit/DeckDatabase.h"
#include "tools/kit/DeckFolder.h"
#include "tools/kit/KanaDeck.h"

namespace {

int Usage()
{
    std::cerr << "usage: moraleaf-kit db create FILE [--force]\n"
                 "       moraleaf-kit db dump FILE\n"
                 "       moraleaf-kit db query FILE SQL\n"
                 "       moraleaf-kit db export FILE DIR\n"
                 "       moraleaf-kit db import DIR FILE [--force]\n";
    return 2;
}

// The operands of a subcommand and whether --force was given; none when they do not fit.
struct TOperands {
    std::vector<std::string> Values;
    bool Force = false;
};

std::optional<TOperands> ParseOperands(std::span<const std::string> args, std::size_t count, bool forceAllowed)
{
    TOperands operands;
    for (const std::string& arg : args) {
        if (arg == "--force" && forceAllowed && !operands.Force)
            operands.Force = true;
        else if (arg.starts_with("--"))
            return std::nullopt;
        else
            operands.Values.push_back(arg);
    }
    if (operands.Values.size() != count)
        return std::nullopt;
    return operands;
}

int Create(const TOperands& operands)
{
    const std::string& file = operands.Values[0];
    CheckDeckDestination(file, operands.Force);
    const std::vector<TDeckRow> rows = DefaultKanaDeck();
    WriteDeckDatabase(file, rows, operands.Force);
    std::cout << rows.size() << " kana written to " << file << '\n';
    return 0;
}

int Import(const TOperands& operands)
{
    const std::string& folder = operands.Values[0];
    const std::string& file = operands.Values[1];
    CheckDeckDestination(file, operands.Force);
    const std::vector<TDeckRow> rows = ReadDeckFolder(folder);
    WriteDeckDatabase(file, rows, operands.Force);
    std::cout << rows.size() << " rows written to " << file << '\n';
    return 0;
}

} // namespace

int DbCommand(std::span<const std::string> args)
{
    if (args.empty())
        return Usage();
    const std::string& action = args[0];
    const std::span<const std::string> rest = args.subspan(1);
    if (action == "create") {
        const auto operands = ParseOperands(rest, 1, true);
        return operands ? Create(*operands) : Usage();
    }
    if (action == "dump") {
        const auto operands = ParseOperands(rest, 1, false);
        if (!operands)
            return Usage();
        DumpDatabase(operands->Values[0], std::cout);
        return 0;
    }
    if (action == "query") {
        // The statement is taken as it stands, even when it starts with dashes.
        if (rest.size() != 2)
            return Usage();
        QueryDatabase(rest[0], rest[1], std::cout);
        return 0;
    }
    if (action == "export") {
        const auto operands = ParseOperands(rest, 2, false);
        if (!operands)
            return Usage();
        const int rows = ExportDeck(operands->Values[0], operands->Values[1]);
        std::cout << rows << " rows exported to " << operands->Values[1] << '\n';
        return 0;
    }
    if (action == "import") {
        const auto operands = ParseOperands(rest, 2, true);
        return operands ? Import(*operands) : Usage();
    }
    return Usage();
}
