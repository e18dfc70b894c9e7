#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/ui/Persistent.h"
#include "host/ui/Set.h"

enum TComponentStateItem : std::uint8_t {
    csLoading, // from creation by the layout reader until its Loaded
    csReading, // while the reader assigns its stored properties
    csDestroying, // from the start of its destruction (or its owner's)
    csDesigning, // in the form designer; the program itself never sets it
};
using TComponentState = TSet<TComponentStateItem>;

enum TOperation : std::uint8_t { opInsert, opRemove };

// A component name that is not an identifier, or that its owner already has.
class EComponentError : public Exception {
public:
    using Exception::Exception;
};

// A named object with an owner. The owner destroys what it owns, last created first. Any other
// reference to a component is a plain pointer, cleared in Notification when the component
// goes: every component of the same owner is told, and so is every component that asked with
// FreeNotification. A component may be told of the same removal more than once.
class TComponent : public TPersistent {
    DECLARE_CLASS(TComponent, TPersistent)

public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    const std::string& Name() const { return name_; }
    // An identifier (or empty) that no other component of the owner has.
    virtual void SetName(const std::string& name);
    TComponent* Owner() const { return owner_; }
    TPersistent* GetOwner() const override { return owner_; }

    // The components this one owns, in the order they were created.
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;
    // The owned component of that name (any letter case), or none.
    TComponent* FindComponent(std::string_view name) const;
    // Takes over a component (from its former owner, if any); owned components are told (opInsert).
    void InsertComponent(TComponent* component);
    // Gives up a component without destroying it; owned components are told (opRemove).
    void RemoveComponent(TComponent* component);

    TComponentState ComponentState() const { return state_; }
    // Puts the component and everything it owns into (or out of) design mode.
    void SetDesigning(bool designing);

    // Asks to be told (Notification with opRemove) when `component` goes, and tells it likewise
    // when this one goes. Needed for references to components of another owner.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // The layout reader nests components under their parents through these: a control takes its
    // parent control in SetParentComponent, before its own stored properties are read.
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent*) { }
    // The components the layout writer stores inside this one. For the root: every owned
    // component without a parent.
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);

protected:
    // `component` was inserted into, or is being removed from, the owner of this component or
    // a component this one asked with FreeNotification. Overrides call the inherited handling,
    // which passes the news on to the components this one owns.
    virtual void Notification(TComponent* component, TOperation operation);
    // The layout has been read and every reference resolved; csLoading is already cleared.
    virtual void Loaded() { }
    // Marks this component and everything it owns as being destroyed.
    void Destroying();
    // Destroys the owned components, last created first. A class whose own destructor needs
    // them gone first calls it there.
    void DestroyComponents();

private:
    friend class TReader;

    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    TComponentState state_;

    // Set by the reader for the one component it is about to create, so that its constructor
    // already sees csLoading.
    static bool createForReading_;
};
