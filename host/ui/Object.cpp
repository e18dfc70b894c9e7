#include "host/ui/Object.h"

#include "host/ui/Publisher.h"

const TClassInfo& TObject::StaticClassInfo()
{
    static const TClassInfo info(TTypeTag<TObject> {}, "TObject", &TObject::Publish);
    return info;
}
