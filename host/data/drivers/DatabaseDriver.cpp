#include "host/data/drivers/DatabaseDriver.h"

#include <array>

#include "host/data/ConnectionString.h"
#include "host/data/DatabaseError.h"
#include "host/data/SameText.h"
#include "host/data/drivers/DatabaseFile.h"

namespace {

constexpr std::array fileProviders { "Microsoft.Jet.OLEDB.4.0", "Microsoft.ACE.OLEDB.12.0" };

} // namespace

std::unique_ptr<TDatabaseDriver> ConnectDriver(std::string_view connectionString)
{
    TConnectionString parsed(connectionString);
    std::string provider = parsed.Provider();
    for (const char* name : fileProviders) {
        if (SameText(provider, name))
            return OpenDatabaseFile(parsed.DataSource());
    }
    throw EDatabaseError("Provider cannot be found. It may not be properly installed.");
}
