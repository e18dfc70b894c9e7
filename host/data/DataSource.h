#pragma once
#include <vector>

#include "host/ui/Component.h"

class TDataLink;
class TDataSet;

// Connects data-aware controls to a data set: passes its openings, closings and row changes on
// to every data link attached to it.
class TDataSource : public TComponent {
    DECLARE_CLASS(TDataSource, TComponent)

public:
    explicit TDataSource(TComponent* owner);
    ~TDataSource() override;

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* value);

private:
    friend class TDataLink;
    friend class TDataSet;

    void AddDataLink(TDataLink* link);
    void RemoveDataLink(TDataLink* link);
    void DataSetActiveChanged();
    void DataSetRecordChanged();

    TDataSet* dataSet_ = nullptr;
    std::vector<TDataLink*> links_;
};

// What a data-aware control hears from its data source. The link is active while the data
// source has a data set and that data set is open; ActiveChanged runs whenever that changes
// (opening, closing, another data source or data set), RecordChanged whenever the open data
// set moves to another row or back to its first.
class TDataLink {
public:
    TDataLink() = default;
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;
    virtual ~TDataLink();

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* source);
    // The data source's data set, or none.
    TDataSet* DataSet() const;
    bool Active() const { return active_; }

protected:
    virtual void ActiveChanged() { }
    virtual void RecordChanged() { }

private:
    friend class TDataSource;

    void UpdateState();

    TDataSource* dataSource_ = nullptr;
    bool active_ = false;
};
