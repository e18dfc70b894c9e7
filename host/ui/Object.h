#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "host/ui/TypeInfo.h"

// The root of every class with run-time type information. Objects are not copied: they have
// identity (owners, references, notifications); a TPersistent copies state with Assign.
class TObject {
public:
    TObject() { ++liveObjects_; }
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() { --liveObjects_; }

    // How many objects exist now: what a leak check compares before and after.
    static std::size_t LiveObjects() { return liveObjects_; }

    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
    static void Publish(TPublisher<TObject>&) { }

    const std::string& ClassName() const { return ClassInfo().Name(); }
    // Whether the object's class is, or derives from, the class of that name (any letter case).
    bool InheritsFrom(std::string_view className) const { return ClassInfo().InheritsFrom(className); }
    bool InheritsFrom(const TClassInfo& cls) const { return ClassInfo().InheritsFrom(cls); }

private:
    inline static std::size_t liveObjects_ = 0;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
