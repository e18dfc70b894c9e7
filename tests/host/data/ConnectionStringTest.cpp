#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "host/data/ConnectionString.h"
#include "host/data/drivers/DatabaseDriver.h"

TEST(ConnectionString, ReadsTheProgramsString)
{
    TConnectionString s("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=db1.mdb;Persist Security Info=False");
    EXPECT_EQ(s.Provider(), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(s.DataSource(), "db1.mdb");
    EXPECT_EQ(s.Value("persist security info"), "False");
    EXPECT_EQ(s.Value("User ID"), "");
}

TEST(ConnectionString, KeysInAnyCaseBlanksAndQuotes)
{
    TConnectionString s(
        " provider = Microsoft.ACE.OLEDB.12.0 ; ;DATA SOURCE=\"/data/a;b \"\"c\"\".mdb\" ;Mode='Share ''Deny'' None';");
    EXPECT_EQ(s.Provider(), "Microsoft.ACE.OLEDB.12.0");
    EXPECT_EQ(s.DataSource(), "/data/a;b \"c\".mdb");
    EXPECT_EQ(s.Value("mode"), "Share 'Deny' None");
}

TEST(ConnectionString, TheLastOfARepeatedKeyWins)
{
    EXPECT_EQ(TConnectionString("Data Source=a.mdb;data source=b.mdb").DataSource(), "b.mdb");
}

TEST(ConnectionString, MalformedTextIsRefused)
{
    const std::string message = "Format of the initialization string is not valid.";
    for (const char* text : { "Provider", "Provider=X;Data Source", "=value", "Data Source=\"a.mdb", "Data Source=\"a\" b" })
        EXPECT_EQ(DatabaseErrorOf([&] { TConnectionString s(text); }), message) << text;
}

TEST(ConnectDriver, OnlyTheFileProvidersAreKnown)
{
    const std::string message = "Provider cannot be found. It may not be properly installed.";
    EXPECT_EQ(DatabaseErrorOf([] { ConnectDriver("Provider=SQLOLEDB;Data Source=db1.mdb"); }), message);
    EXPECT_EQ(DatabaseErrorOf([] { ConnectDriver("Data Source=db1.mdb"); }), message);

    TTempFolder folder;
    std::string path = folder.File("kana.db");
    MakeSmallMoratab(path);
    for (const char* provider : { "Microsoft.Jet.OLEDB.4.0", "microsoft.jet.oledb.4.0", "Microsoft.ACE.OLEDB.12.0" }) {
        auto driver = ConnectDriver(std::string("Provider=") + provider + ";Data Source=" + path);
        EXPECT_EQ(driver->Execute("select *from moratab").RecordCount(), 7) << provider;
    }
}
