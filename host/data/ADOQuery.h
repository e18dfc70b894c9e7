#pragma once
#include <cstdint>
#include <memory>

#include "host/data/ADOConnection.h"
#include "host/data/DataSet.h"
#include "host/ui/Strings.h"

// Where the cursor lives, how it moves and how it locks: kept for the stored layouts. The
// result is always read whole on the client, which is what clUseClient means.
enum TCursorLocation : std::uint8_t { clUseServer, clUseClient };
inline const TEnumInfo& EnumInfo(TTypeTag<TCursorLocation>)
{
    static const TEnumInfo info("TCursorLocation", { "clUseServer", "clUseClient" });
    return info;
}

enum TCursorType : std::uint8_t { ctUnspecified, ctOpenForwardOnly, ctKeyset, ctDynamic, ctStatic };
inline const TEnumInfo& EnumInfo(TTypeTag<TCursorType>)
{
    static const TEnumInfo info("TCursorType", { "ctUnspecified", "ctOpenForwardOnly", "ctKeyset", "ctDynamic", "ctStatic" });
    return info;
}

enum TADOLockType : std::uint8_t { ltUnspecified, ltReadOnly, ltPessimistic, ltOptimistic, ltBatchOptimistic };
inline const TEnumInfo& EnumInfo(TTypeTag<TADOLockType>)
{
    static const TEnumInfo info(
        "TADOLockType", { "ltUnspecified", "ltReadOnly", "ltPessimistic", "ltOptimistic", "ltBatchOptimistic" });
    return info;
}

// A data set whose rows come from the statement in SQL (its lines joined with line breaks),
// run on Connection. Opening connects a closed connection first, so a connection that failed
// before is tried again. Changing SQL or Connection closes an open query.
class TADOQuery : public TDataSet {
    DECLARE_CLASS(TADOQuery, TDataSet)

public:
    explicit TADOQuery(TComponent* owner);
    ~TADOQuery() override;

    TADOConnection* Connection() const { return connection_; }
    void SetConnection(TADOConnection* value);
    TStrings* SQL() const { return sql_.get(); }
    void SetSQL(const TStrings* value);

    TCursorLocation CursorLocation() const { return cursorLocation_; }
    void SetCursorLocation(TCursorLocation value) { cursorLocation_ = value; }
    TCursorType CursorType() const { return cursorType_; }
    void SetCursorType(TCursorType value) { cursorType_ = value; }
    TADOLockType LockType() const { return lockType_; }
    void SetLockType(TADOLockType value) { lockType_ = value; }

protected:
    TResultSet OpenCursor() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::unique_ptr<TStringList> sql_;
    TADOConnection* connection_ = nullptr;
    TCursorLocation cursorLocation_ = clUseClient;
    TCursorType cursorType_ = ctKeyset;
    TADOLockType lockType_ = ltOptimistic;
};
