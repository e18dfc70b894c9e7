#include "host/data/DataClasses.h"

#include "host/data/ADOConnection.h"
#include "host/data/ADOQuery.h"
#include "host/data/DBImage.h"
#include "host/data/DataSource.h"

void RegisterDataClasses()
{
    RegisterClasses<TADOConnection, TADOQuery, TDataSource, TDBImage>();
}
