#include "host/data/DataSet.h"

#include <algorithm>

#include "host/data/DataSource.h"
#include "host/data/DatabaseError.h"
#include "host/data/SameText.h"

void TDataSet::Publish(TPublisher<TDataSet>& p)
{
    p.Property("Active", &TDataSet::Active, &TDataSet::SetActive).Default(false);
}

TDataSet::TDataSet(TComponent* owner)
    : TComponent(owner)
{
}

TDataSet::~TDataSet()
{
    Close();
    while (!dataSources_.empty())
        dataSources_.back()->SetDataSet(nullptr);
}

void TDataSet::SetActive(bool value)
{
    if (ComponentState().Contains(csLoading)) {
        streamedActive_ = value;
        return;
    }
    if (value == Active())
        return;
    if (value) {
        TResultSet result = OpenCursor();
        std::vector<std::unique_ptr<TField>> fields;
        for (std::size_t i = 0; i < result.Columns().size(); ++i)
            fields.push_back(std::make_unique<TField>(*this, static_cast<int>(i), result.Columns()[i]));
        result_ = std::move(result);
        fields_ = std::move(fields);
        recNo_ = 0;
        eof_ = result_->RecordCount() == 0;
    } else {
        fields_.clear();
        result_.reset();
        recNo_ = 0;
        eof_ = true;
    }
    NotifyActiveChanged();
}

void TDataSet::Loaded()
{
    inherited::Loaded();
    if (streamedActive_)
        SetActive(true);
}

void TDataSet::CheckActive() const
{
    if (!Active())
        throw EDatabaseError("Cannot perform this operation on a closed dataset");
}

void TDataSet::First()
{
    CheckActive();
    recNo_ = 0;
    eof_ = result_->RecordCount() == 0;
    NotifyRecordChanged();
}

void TDataSet::Next()
{
    CheckActive();
    if (recNo_ + 1 >= result_->RecordCount()) {
        eof_ = true;
        return;
    }
    ++recNo_;
    eof_ = false;
    NotifyRecordChanged();
}

int TDataSet::RecordCount() const
{
    CheckActive();
    return result_->RecordCount();
}

TField& TDataSet::Fields(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return *fields_[static_cast<std::size_t>(index)];
}

TField* TDataSet::FindField(std::string_view name) const
{
    for (const auto& field : fields_) {
        if (SameText(field->FieldName(), name))
            return field.get();
    }
    return nullptr;
}

TField& TDataSet::FieldByName(std::string_view name) const
{
    TField* field = FindField(name);
    if (field == nullptr)
        throw EDatabaseError("Field '" + std::string(name) + "' not found");
    return *field;
}

const TDataValue& TDataSet::CurrentValue(int column) const
{
    static const TDataValue null;
    if (!Active() || result_->RecordCount() == 0)
        return null;
    return result_->Value(recNo_, column);
}

// A data source may be detached, or the data set closed, by a handler: each is told only while
// it still listens.
void TDataSet::NotifyActiveChanged()
{
    const std::vector<TDataSource*> sources = dataSources_;
    for (TDataSource* source : sources) {
        if (std::find(dataSources_.begin(), dataSources_.end(), source) != dataSources_.end())
            source->DataSetActiveChanged();
    }
}

void TDataSet::NotifyRecordChanged()
{
    const std::vector<TDataSource*> sources = dataSources_;
    for (TDataSource* source : sources) {
        if (Active() && std::find(dataSources_.begin(), dataSources_.end(), source) != dataSources_.end())
            source->DataSetRecordChanged();
    }
}
