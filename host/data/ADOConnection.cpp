#include "host/data/ADOConnection.h"

#include "host/data/ConnectionString.h"
#include "host/data/DatabaseError.h"
#include "host/data/drivers/DatabaseDriver.h"

void TADOConnection::Publish(TPublisher<TADOConnection>& p)
{
    p.Property("Connected", &TADOConnection::Connected, &TADOConnection::SetConnected).Default(false);
    p.Property("ConnectionString", &TADOConnection::ConnectionString, &TADOConnection::SetConnectionString);
    p.Property("LoginPrompt", &TADOConnection::LoginPrompt, &TADOConnection::SetLoginPrompt).Default(true);
    p.Property("Mode", &TADOConnection::Mode, &TADOConnection::SetMode).Default(cmUnknown);
    p.Property("Provider", &TADOConnection::Provider, &TADOConnection::SetProvider);
}

TADOConnection::TADOConnection(TComponent* owner)
    : TComponent(owner)
{
}

TADOConnection::~TADOConnection() = default;

void TADOConnection::CheckInactive() const
{
    if (Connected())
        throw EDatabaseError("Operation is not allowed when the object is open.");
}

void TADOConnection::SetConnectionString(const std::string& value)
{
    CheckInactive();
    connectionString_ = value;
}

std::string TADOConnection::Provider() const
{
    try {
        std::string named = TConnectionString(connectionString_).Provider();
        if (!named.empty())
            return named;
    } catch (const EDatabaseError&) {
        // A malformed string names no provider; opening reports it.
    }
    return provider_;
}

void TADOConnection::SetProvider(const std::string& value)
{
    CheckInactive();
    provider_ = value;
}

void TADOConnection::SetConnected(bool value)
{
    if (ComponentState().Contains(csLoading)) {
        streamedConnected_ = value;
        return;
    }
    if (value == Connected())
        return;
    if (!value) {
        driver_.reset();
        return;
    }
    std::string text = connectionString_;
    if (!provider_.empty()) {
        // The last pair of a key wins, so a provider the string names comes after this one.
        std::string quoted;
        for (char c : provider_)
            quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        text = "Provider=\"" + quoted + "\";" + text;
    }
    driver_ = ConnectDriver(text);
}

void TADOConnection::Loaded()
{
    inherited::Loaded();
    if (streamedConnected_)
        SetConnected(true);
}

TResultSet TADOConnection::Execute(const std::string& sql)
{
    Open();
    return driver_->Execute(sql);
}
