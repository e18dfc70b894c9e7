#include "host/ui/Strings.h"

#include "host/ui/Filer.h"

void TStrings::Publish(TPublisher<TStrings>&)
{
}

int TStrings::Add(const std::string& value)
{
    const int index = Count();
    Insert(index, value);
    return index;
}

std::string TStrings::Text() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Strings(i);
        text += '\n';
    }
    return text;
}

void TStrings::SetText(std::string_view text)
{
    BeginUpdate();
    try {
        Clear();
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find_first_of("\r\n", start);
            if (end == std::string_view::npos)
                end = text.size();
            Add(std::string(text.substr(start, end - start)));
            start = end;
            if (start < text.size() && text[start] == '\r')
                ++start;
            if (start < text.size() && text[start] == '\n')
                ++start;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::IndexOf(std::string_view value) const
{
    for (int i = 0; i < Count(); ++i) {
        if (SameIdent(Strings(i), value))
            return i;
    }
    return -1;
}

void TStrings::BeginUpdate()
{
    if (updateCount_ == 0)
        SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        SetUpdateState(false);
}

void TStrings::SetUpdateState(bool)
{
}

void TStrings::Assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TStrings*>(&source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    BeginUpdate();
    try {
        Clear();
        for (int i = 0; i < other->Count(); ++i)
            Add(other->Strings(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::DefineProperties(TFiler& filer)
{
    inherited::DefineProperties(filer);
    filer.DefineProperty(
        "Strings",
        [this](const TLayoutValue& value) {
            // Check every line before changing anything.
            const std::vector<TLayoutValue>& lines = value.AsList();
            for (const TLayoutValue& line : lines)
                line.AsString();
            BeginUpdate();
            try {
                Clear();
                for (const TLayoutValue& line : lines)
                    Add(line.AsString());
            } catch (...) {
                EndUpdate();
                throw;
            }
            EndUpdate();
        },
        [this] {
            std::vector<TLayoutValue> lines;
            for (int i = 0; i < Count(); ++i)
                lines.push_back(TLayoutValue::FromString(Strings(i)));
            return TLayoutValue::FromList(std::move(lines));
        },
        Count() > 0);
}

void TStringList::Publish(TPublisher<TStringList>&)
{
}

void TStringList::CheckIndex(int index, int limit) const
{
    if (index < 0 || index > limit)
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TStringList::Strings(int index) const
{
    CheckIndex(index, Count() - 1);
    return items_[static_cast<std::size_t>(index)];
}

void TStringList::Put(int index, const std::string& value)
{
    CheckIndex(index, Count() - 1);
    Changing();
    items_[static_cast<std::size_t>(index)] = value;
    Changed();
}

void TStringList::Insert(int index, const std::string& value)
{
    CheckIndex(index, Count());
    Changing();
    items_.insert(items_.begin() + index, value);
    Changed();
}

void TStringList::Delete(int index)
{
    CheckIndex(index, Count() - 1);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty())
        return;
    Changing();
    items_.clear();
    Changed();
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}
