#pragma once
#include <vector>

#include "host/ui/Persistent.h"

class TCollection;

// An element of a TCollection, made by the collection's Add from its item class. Destroying an
// item takes it out of its collection.
class TCollectionItem : public TPersistent {
    DECLARE_CLASS(TCollectionItem, TPersistent)

public:
    // Joins the collection at its end.
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    // Position in the collection; moving an item renumbers the others.
    int Index() const;
    void SetIndex(int index);
    // A number unique within the collection, kept when the item moves.
    int ID() const { return id_; }
    TPersistent* GetOwner() const override;

protected:
    // Reports a change of this item (or, with allItems, of the whole collection) to the
    // collection's Update, unless the collection is being updated.
    void Changed(bool allItems);

private:
    friend class TCollection;

    TCollection* collection_ = nullptr;
    int id_ = 0;
};

// An owned, ordered list of items of one class, stored in a layout as `< item ... end >`.
// Update reports changes; subclasses override it to tell their owner (a repaint, say).
class TCollection : public TPersistent {
    DECLARE_CLASS(TCollection, TPersistent)

public:
    // itemClass: a TCollectionItem class that can be made with a collection.
    TCollection(TPersistent* owner, const TClassInfo& itemClass);
    ~TCollection() override;

    const TClassInfo& ItemClass() const { return *itemClass_; }
    TPersistent* GetOwner() const override { return owner_; }

    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Items(int index) const;
    // A new item of the item class at the end, or at `index`.
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();

    // Changes between BeginUpdate and the last EndUpdate are reported once, by EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Copies another collection's items (each through its item's Assign).
    void Assign(const TPersistent& source) override;

protected:
    // `item` changed, or, when it is none, the collection as a whole (items added, removed, moved).
    virtual void Update(TCollectionItem* item);
    // Reports a change of the whole collection unless it is being updated.
    void Changed();

private:
    friend class TCollectionItem;

    TPersistent* owner_;
    const TClassInfo* itemClass_;
    std::vector<TCollectionItem*> items_;
    int updateCount_ = 0;
    int nextId_ = 0;
};
