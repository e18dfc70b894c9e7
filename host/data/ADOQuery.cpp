#include "host/data/ADOQuery.h"

#include "host/data/DatabaseError.h"

void TADOQuery::Publish(TPublisher<TADOQuery>& p)
{
    p.Property("Connection", &TADOQuery::Connection, &TADOQuery::SetConnection);
    p.Property("CursorLocation", &TADOQuery::CursorLocation, &TADOQuery::SetCursorLocation).Default(clUseClient);
    p.Property("CursorType", &TADOQuery::CursorType, &TADOQuery::SetCursorType).Default(ctKeyset);
    p.Property("LockType", &TADOQuery::LockType, &TADOQuery::SetLockType).Default(ltOptimistic);
    p.Property("SQL", &TADOQuery::SQL, &TADOQuery::SetSQL);
}

TADOQuery::TADOQuery(TComponent* owner)
    : TDataSet(owner)
    , sql_(std::make_unique<TStringList>())
{
    sql_->OnChange = [this](TObject*) {
        if (Active())
            Close();
    };
}

TADOQuery::~TADOQuery() = default;

void TADOQuery::SetConnection(TADOConnection* value)
{
    if (value == connection_)
        return;
    if (Active())
        Close();
    if (connection_ != nullptr)
        connection_->RemoveFreeNotification(this);
    connection_ = value;
    if (connection_ != nullptr)
        connection_->FreeNotification(this);
}

void TADOQuery::SetSQL(const TStrings* value)
{
    sql_->Assign(*value);
}

TResultSet TADOQuery::OpenCursor()
{
    if (connection_ == nullptr)
        throw EDatabaseError("Missing Connection or ConnectionString");
    return connection_->Execute(sql_->Text());
}

void TADOQuery::Notification(TComponent* component, TOperation operation)
{
    inherited::Notification(component, operation);
    if (operation == opRemove && component == connection_)
        connection_ = nullptr;
}
