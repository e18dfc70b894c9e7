#include "host/ui/Collection.h"

#include <algorithm>

namespace {

[[noreturn]] void IndexError(int index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace

void TCollectionItem::Publish(TPublisher<TCollectionItem>&)
{
}

// The item joins the list here but is reported only by the collection's Add, once it is
// fully made: Update handlers look at the items.
TCollectionItem::TCollectionItem(TCollection* collection)
{
    if (collection != nullptr) {
        collection->items_.push_back(this);
        collection_ = collection;
        id_ = collection->nextId_++;
    }
}

TCollectionItem::~TCollectionItem()
{
    if (collection_ != nullptr) {
        std::erase(collection_->items_, this);
        collection_->Changed();
    }
}

int TCollectionItem::Index() const
{
    if (collection_ == nullptr)
        return -1;
    const auto& items = collection_->items_;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index)
{
    const int current = Index();
    if (current < 0 || index == current)
        return;
    auto& items = collection_->items_;
    if (index < 0 || index >= static_cast<int>(items.size()))
        IndexError(index);
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    Changed(true);
}

TPersistent* TCollectionItem::GetOwner() const
{
    return collection_;
}

void TCollectionItem::Changed(bool allItems)
{
    if (collection_ != nullptr && collection_->updateCount_ == 0)
        collection_->Update(allItems ? nullptr : this);
}

void TCollection::Publish(TPublisher<TCollection>&)
{
}

TCollection::TCollection(TPersistent* owner, const TClassInfo& itemClass)
    : owner_(owner)
    , itemClass_(&itemClass)
{
    if (!itemClass.InheritsFrom(TCollectionItem::StaticClassInfo()) || !itemClass.CanCreateItem())
        throw EConvertError(itemClass.Name() + " is not a collection item class");
}

TCollection::~TCollection()
{
    // Nothing is reported while the collection goes.
    updateCount_ = 1;
    while (!items_.empty())
        delete items_.back();
}

TCollectionItem* TCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        IndexError(index);
    return items_[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::Add()
{
    TCollectionItem* item = itemClass_->CreateItem(this);
    Changed();
    return item;
}

TCollectionItem* TCollection::Insert(int index)
{
    if (index < 0 || index > Count())
        IndexError(index);
    BeginUpdate();
    TCollectionItem* item = nullptr;
    try {
        item = Add();
        item->SetIndex(index);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return item;
}

void TCollection::Delete(int index)
{
    delete Items(index);
}

void TCollection::Clear()
{
    if (items_.empty())
        return;
    BeginUpdate();
    while (!items_.empty())
        delete items_.back();
    EndUpdate();
}

void TCollection::BeginUpdate()
{
    ++updateCount_;
}

void TCollection::EndUpdate()
{
    if (updateCount_ > 0)
        --updateCount_;
    Changed();
}

void TCollection::Assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TCollection*>(&source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    BeginUpdate();
    try {
        Clear();
        for (const TCollectionItem* item : other->items_)
            Add()->Assign(*item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Update(TCollectionItem*)
{
}

void TCollection::Changed()
{
    if (updateCount_ == 0)
        Update(nullptr);
}
