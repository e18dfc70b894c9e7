#pragma once
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "host/data/Field.h"
#include "host/data/drivers/ResultSet.h"
#include "host/ui/Component.h"

class TDataSource;

// The rows of one statement, walked one row at a time; its fields read the current row. The
// whole result is held while the data set is open, so the record count is exact. Openings,
// closings and row changes are passed on to the data sources that show this data set.
class TDataSet : public TComponent {
    DECLARE_CLASS(TDataSet, TComponent)

public:
    explicit TDataSet(TComponent* owner);
    ~TDataSet() override;

    // True while open, also when the result is empty. A stored True opens in Loaded.
    bool Active() const { return result_.has_value(); }
    void SetActive(bool value);
    // Runs the statement and stands on the first row; failures leave the data set closed.
    void Open() { SetActive(true); }
    // Releases the result; closing a closed data set does nothing.
    void Close() { SetActive(false); }

    // Moving needs an open data set (EDatabaseError otherwise). A move past the last row sets
    // Eof and stays on the last row.
    void First();
    void Next();
    // True when no current row remains, and while closed.
    bool Eof() const { return !Active() || eof_; }
    int RecordCount() const;

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField& Fields(int index) const;
    // The field of that column name in any letter case, or none (always none while closed).
    TField* FindField(std::string_view name) const;
    // As FindField; a missing column raises EDatabaseError ("Field 'x' not found").
    TField& FieldByName(std::string_view name) const;

    // The value of a column in the current row; null when there is none.
    const TDataValue& CurrentValue(int column) const;

protected:
    // Runs the data set's statement and reads its whole result.
    virtual TResultSet OpenCursor() = 0;
    void Loaded() override;

private:
    friend class TDataSource;

    void CheckActive() const;
    void NotifyActiveChanged();
    void NotifyRecordChanged();

    std::optional<TResultSet> result_;
    std::vector<std::unique_ptr<TField>> fields_;
    int recNo_ = 0;
    bool eof_ = true;
    bool streamedActive_ = false;
    std::vector<TDataSource*> dataSources_;
};
