#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "host/ui/Component.h"
#include "host/ui/Layout.h"

class TCollection;
class TCollectionItem;

// Moves a stored layout into a root component (a form) and the components it creates:
//  - each object's class is looked up in the class registry and created with the root as owner;
//    the new component has csLoading and csReading from its constructor on;
//  - SetParentComponent(enclosing object) comes before the component's own properties, so a
//    tab sheet is already in its page control when its PageIndex is read;
//  - properties are assigned in stored order through their setters; extra stored properties
//    go to the class's DefineProperties; events are bound to the root's published methods;
//  - component references are resolved by name once the whole layout is read (a name the root
//    does not own leaves the reference as it is);
//  - then, in creation order (the root first), each component loses csLoading and gets Loaded.
//    A Loaded that raises does not stop the others; once all are loaded each such failure goes
//    to the application's HandleException (the standard error box) and the reading succeeds.
//    Without an application object the first failure is raised then, the components kept.
// A layout that does not fit raises EReadError ("Line 12: Property Foo does not exist"), and the
// components made so far are destroyed again.
class TReader {
public:
    explicit TReader(TComponent* root);
    ~TReader();
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    void ReadRootComponent(const TLayoutObject& layout);

private:
    class TWatcher;
    struct TFixup {
        TInstance Instance;
        const TPropInfo* Prop = nullptr; // none once the target is gone
        std::string PropName;
        std::string ComponentName;
        int Line = 0;
        TComponent* Component = nullptr; // the component whose property it is
        std::vector<const TCollectionItem*> Items; // the items it lies in, outermost first
    };

    void ReadComponent(const TLayoutObject& layout, TComponent* parent);
    void ReadProperties(TInstance instance, const std::vector<TLayoutProperty>& properties, TComponent* component);
    void ReadProperty(TInstance instance, const TLayoutProperty& prop, TComponent* component);
    void ReadValue(TInstance instance, const TPropInfo& info, const TLayoutProperty& prop, TComponent* component);
    void ReadCollection(TCollection* collection, const TLayoutValue& value, TComponent* component);
    void BindEvent(void* self, const TPropInfo& info, const TLayoutProperty& prop);
    void ResolveFixups();
    void CallLoaded();
    void Abandon();
    // A component the reader made was destroyed before the reading ended.
    void Forget(TComponent* component);

    TComponent* root_;
    std::unique_ptr<TWatcher> watcher_;
    std::vector<TComponent*> created_;
    std::size_t nextLoaded_ = 0;
    std::vector<TFixup> fixups_;
    std::vector<const TCollectionItem*> items_;
};
