#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "host/data/drivers/ResultSet.h"
#include "host/ui/Component.h"

class TDatabaseDriver;

// How the provider is asked to share the database; the file drivers only ever read, so every
// mode opens the file read-only without denying anyone.
enum TConnectMode : std::uint8_t {
    cmUnknown,
    cmRead,
    cmWrite,
    cmReadWrite,
    cmShareDenyRead,
    cmShareDenyWrite,
    cmShareExclusive,
    cmShareDenyNone,
};
inline const TEnumInfo& EnumInfo(TTypeTag<TConnectMode>)
{
    static const TEnumInfo info("TConnectMode",
        { "cmUnknown", "cmRead", "cmWrite", "cmReadWrite", "cmShareDenyRead", "cmShareDenyWrite", "cmShareExclusive",
            "cmShareDenyNone" });
    return info;
}

// A connection to a database named by an ADO connection string ("Provider=...;Data
// Source=..."). Opening selects the driver by the provider and checks the file; failures raise
// EDatabaseError with the provider's message and leave the connection closed. A stored
// Connected = True opens in Loaded, once the whole layout is read.
class TADOConnection : public TComponent {
    DECLARE_CLASS(TADOConnection, TComponent)

public:
    explicit TADOConnection(TComponent* owner);
    ~TADOConnection() override;

    // Both can only change while the connection is closed.
    const std::string& ConnectionString() const { return connectionString_; }
    void SetConnectionString(const std::string& value);
    // The provider the connection string names, or else the one set here, which opening then
    // uses.
    std::string Provider() const;
    void SetProvider(const std::string& value);
    // No login dialog exists: no credentials are ever asked for or passed.
    bool LoginPrompt() const { return loginPrompt_; }
    void SetLoginPrompt(bool value) { loginPrompt_ = value; }
    TConnectMode Mode() const { return mode_; }
    void SetMode(TConnectMode value) { mode_ = value; }

    bool Connected() const { return driver_ != nullptr; }
    void SetConnected(bool value);
    void Open() { SetConnected(true); }
    void Close() { SetConnected(false); }

    // Runs one statement on the database as it is now, connecting first when closed.
    TResultSet Execute(const std::string& sql);

protected:
    void Loaded() override;

private:
    void CheckInactive() const;

    std::string connectionString_;
    std::string provider_;
    bool loginPrompt_ = true;
    TConnectMode mode_ = cmUnknown;
    bool streamedConnected_ = false;
    std::unique_ptr<TDatabaseDriver> driver_;
};
