#include "host/ui/Persistent.h"

void TPersistent::Publish(TPublisher<TPersistent>&)
{
}

void TPersistent::Assign(const TPersistent& source)
{
    source.AssignTo(*this);
}

void TPersistent::DefineProperties(TFiler&)
{
}

void TPersistent::AssignTo(TPersistent& dest) const
{
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest.ClassName());
}
