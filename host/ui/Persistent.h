#pragma once
#include "host/sys/Exception.h"
#include "host/ui/Publisher.h"

class TFiler;

// An object that cannot take the state of another ("Cannot assign a TFont to a TPicture").
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An index outside a list ("List index out of bounds (5)").
class EListError : public Exception {
public:
    using Exception::Exception;
};

// An object whose state can be copied and stored in a layout.
class TPersistent : public TObject {
    DECLARE_CLASS(TPersistent, TObject)

public:
    // Copies the state of another object. Classes that know the source override it; otherwise the
    // source is asked (AssignTo), and EConvertError is raised when neither knows the other.
    virtual void Assign(const TPersistent& source);
    // Whom the object belongs to for persistence and naming: a component's owner, a collection's
    // owner, an item's collection.
    virtual TPersistent* GetOwner() const { return nullptr; }
    // Declares the extra stored properties that the class reads and writes itself.
    virtual void DefineProperties(TFiler& filer);

protected:
    virtual void AssignTo(TPersistent& dest) const;
};
