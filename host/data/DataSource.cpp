#include "host/data/DataSource.h"

#include <algorithm>

#include "host/data/DataSet.h"

void TDataSource::Publish(TPublisher<TDataSource>& p)
{
    p.Property("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet);
}

TDataSource::TDataSource(TComponent* owner)
    : TComponent(owner)
{
}

TDataSource::~TDataSource()
{
    SetDataSet(nullptr);
    while (!links_.empty())
        links_.back()->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* value)
{
    if (value == dataSet_)
        return;
    // Links see the old data set go before the new one comes, even when both are open.
    if (dataSet_ != nullptr) {
        std::erase(dataSet_->dataSources_, this);
        dataSet_ = nullptr;
        DataSetActiveChanged();
    }
    dataSet_ = value;
    if (dataSet_ != nullptr) {
        dataSet_->dataSources_.push_back(this);
        DataSetActiveChanged();
    }
}

void TDataSource::AddDataLink(TDataLink* link)
{
    links_.push_back(link);
}

void TDataSource::RemoveDataLink(TDataLink* link)
{
    std::erase(links_, link);
}

// A link may be detached by a handler: each is told only while it is still attached.
void TDataSource::DataSetActiveChanged()
{
    const std::vector<TDataLink*> links = links_;
    for (TDataLink* link : links) {
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->UpdateState();
    }
}

void TDataSource::DataSetRecordChanged()
{
    const std::vector<TDataLink*> links = links_;
    for (TDataLink* link : links) {
        if (link->active_ && std::find(links_.begin(), links_.end(), link) != links_.end())
            link->RecordChanged();
    }
}

TDataLink::~TDataLink()
{
    if (dataSource_ != nullptr)
        dataSource_->RemoveDataLink(this);
}

void TDataLink::SetDataSource(TDataSource* source)
{
    if (source == dataSource_)
        return;
    // The link sees the old data source go before the new one comes, even when both are active.
    if (dataSource_ != nullptr) {
        dataSource_->RemoveDataLink(this);
        dataSource_ = nullptr;
        UpdateState();
    }
    dataSource_ = source;
    if (dataSource_ != nullptr) {
        dataSource_->AddDataLink(this);
        UpdateState();
    }
}

TDataSet* TDataLink::DataSet() const
{
    return dataSource_ != nullptr ? dataSource_->DataSet() : nullptr;
}

void TDataLink::UpdateState()
{
    const TDataSet* dataSet = DataSet();
    const bool active = dataSet != nullptr && dataSet->Active();
    if (active == active_)
        return;
    active_ = active;
    ActiveChanged();
}
